#include "editor/palette_grid_panel.h"

#include "editor/draw_document.h"
#include "editor/palette_choice.h"
#include "model/screen_colour.h"
#include "skin/grids/draw_grid.h"

#include <QLabel>
#include <QPainter>

PaletteGridPanel::PaletteGridPanel(WindowRegistry&, DrawDocument& document, DrawPanelHooks hooks, QWidget* parent)
    : QWidget(parent), m_document(document), m_hooks(std::move(hooks))
{
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    m_caption = new QLabel(QStringLiteral("ILDA default color platte"), this);

    m_grid = new TskDrawGrid(this);
    m_grid->setObjectName(QStringLiteral("skDrawGrid1"));
    m_grid->SetColCount(kPaletteGridCols);
    m_grid->SetRowCount(kPaletteGridRows);
    m_grid->SetFixedCols(0);
    m_grid->SetFixedRows(0);
    m_grid->SetDefaultColWidth(30);
    m_grid->SetDefaultRowHeight(16);
    connect(m_grid, &TskDrawGrid::OnDrawCell, this, &PaletteGridPanel::skDrawGrid1DrawCell);
    connect(m_grid, &TskDrawGrid::OnSelectCell, this, &PaletteGridPanel::skDrawGrid1SelectCell);

    auto label = [this](const QString& text) { return new QLabel(text, this); };
    m_captions = {label(QStringLiteral("R :")), label(QStringLiteral("G:")), label(QStringLiteral("B:")),
                  label(QStringLiteral("ColorIndex :"))};
    m_label13 = label(QString());
    m_label22 = label(QString());
    m_label24 = label(QString());
    m_label34 = label(QString());
    m_panel1 = new QWidget(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setAutoFillBackground(true);
    resize(kMinimumWidth, 162);

    const int current = std::clamp(m_document.CurrentColor, 0, 255);
    m_grid->SetCol(current / kPaletteGridRows);
    m_grid->SetRow(current % kPaletteGridRows);
    // Making the cell current scrolls it to the top while the grid has no size yet.
    m_grid->SetTopRow(0);
    ChoosePaletteIndex(current);
}

void PaletteGridPanel::skDrawGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect) const
{
    const int index = PaletteIndexOfCell(col, row);
    if (index >= 0)
        canvas.fillRect(rect, ToQColor(PaletteColour(std::uint8_t(index))));
}

void PaletteGridPanel::skDrawGrid1SelectCell(int col, int row)
{
    const int index = PaletteIndexOfCell(col, row);
    if (index >= 0)
        ChoosePaletteIndex(index);
}

void PaletteGridPanel::ShowPaletteIndex(int index)
{
    const int current = std::clamp(index, 0, 255);
    m_grid->SetCol(current / kPaletteGridRows);
    m_grid->SetRow(current % kPaletteGridRows);
    ChoosePaletteIndex(current);
}

void PaletteGridPanel::resizeEvent(QResizeEvent*)
{
    // Caption, grid, then two rows: R G B, and the index with its swatch.
    const int w = width();
    const int h = height();
    m_caption->setGeometry(0, 0, w, 16);
    m_grid->setGeometry(0, 17, w, std::max(40, h - 17 - 38));
    const int row1 = h - 36;
    const int row2 = h - 18;
    m_captions[0]->setGeometry(0, row1, 20, 16);
    m_label13->setGeometry(20, row1, 28, 16);
    m_captions[1]->setGeometry(50, row1, 16, 16);
    m_label22->setGeometry(66, row1, 28, 16);
    m_captions[2]->setGeometry(98, row1, 16, 16);
    m_label24->setGeometry(114, row1, w - 114, 16);
    m_captions[3]->setGeometry(0, row2, 68, 16);
    m_label34->setGeometry(68, row2, 28, 16);
    m_panel1->setGeometry(98, row2, w - 98, 16);
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
