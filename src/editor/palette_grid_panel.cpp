#include "editor/palette_grid_panel.h"

#include "editor/draw_document.h"
#include "editor/palette_choice.h"
#include "skin/draw_grid.h"

#include <QLabel>
#include <QPainter>

PaletteGridPanel::PaletteGridPanel(WindowRegistry&, DrawDocument& document, DrawPanelHooks hooks, QWidget* parent)
    : QWidget(parent), m_document(document), m_hooks(std::move(hooks))
{
    setFixedSize(150, 420);
    auto* caption = new QLabel(QStringLiteral("ILDA default color platte"), this);
    caption->setGeometry(0, 0, 150, 16);
    caption->setWordWrap(false);

    m_grid = new TskDrawGrid(this);
    m_grid->setObjectName(QStringLiteral("skDrawGrid1"));
    m_grid->setGeometry(0, 18, 150, 300);
    m_grid->SetColCount(kPaletteGridCols);
    m_grid->SetRowCount(kPaletteGridRows);
    m_grid->SetFixedCols(0);
    m_grid->SetFixedRows(0);
    m_grid->SetDefaultColWidth(30);
    m_grid->SetDefaultRowHeight(18);
    connect(m_grid, &TskDrawGrid::OnDrawCell, this,
            [](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState) {
                const int index = PaletteIndexOfCell(col, row);
                if (index >= 0)
                    canvas.fillRect(rect, ToQColor(PaletteColour(std::uint8_t(index))));
            });
    connect(m_grid, &TskDrawGrid::OnSelectCell, this, [this](int col, int row, bool&) {
        const int index = PaletteIndexOfCell(col, row);
        if (index >= 0)
            ChoosePaletteIndex(index);
    });

    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, w, 16);
        return l;
    };
    label(QStringLiteral("R :"), 0, 324, 22);
    m_label13 = label(QString(), 22, 324, 28);
    label(QStringLiteral("G:"), 50, 324, 18);
    m_label22 = label(QString(), 68, 324, 28);
    label(QStringLiteral("B:"), 100, 324, 18);
    m_label24 = label(QString(), 118, 324, 32);
    label(QStringLiteral("ColorIndex :"), 0, 344, 70);
    m_label34 = label(QString(), 72, 344, 40);
    m_panel1 = new QWidget(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setGeometry(0, 364, 150, 40);
    m_panel1->setAutoFillBackground(true);

    const int current = std::clamp(m_document.CurrentColor, 0, 255);
    m_grid->SetCol(current / kPaletteGridRows);
    m_grid->SetRow(current % kPaletteGridRows);
    // Making the cell current scrolls it to the top while the grid has no size yet.
    m_grid->SetTopRow(0);
    ChoosePaletteIndex(current);
}

void PaletteGridPanel::ChoosePaletteIndex(int index)
{
    const PaletteChoice c = ChoosePaletteColour(index);
    m_label13->setText(QString::number(c.red));
    m_label22->setText(QString::number(c.green));
    m_label24->setText(QString::number(c.blue));
    m_document.CurrentColor = c.index;
    m_label34->setText(QString::number(c.index));
    QPalette palette = m_panel1->palette();
    palette.setColor(QPalette::Window, ToQColor(c.colour));
    m_panel1->setPalette(palette);
}

QString PaletteGridPanel::LabelText(const char* which) const
{
    const QString w = QString::fromLatin1(which);
    if (w == QLatin1String("R"))
        return m_label13->text();
    if (w == QLatin1String("G"))
        return m_label22->text();
    if (w == QLatin1String("B"))
        return m_label24->text();
    if (w == QLatin1String("ColorIndex"))
        return m_label34->text();
    return {};
}

QColor PaletteGridPanel::SwatchColour() const
{
    return m_panel1->palette().color(QPalette::Window);
}
