#include "skin/pickers/color_box.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kColorRole = Qt::UserRole + 1;

}  // namespace

class ColorItemDelegate : public QStyledItemDelegate {
public:
    explicit ColorItemDelegate(TskCustomColorBox& box) : QStyledItemDelegate(&box), m_box(box) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_box.DrawItem(*p, option.rect, index.row(), option.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(16, QFontMetrics(m_box.font()).height() + 2));
        return s;
    }

private:
    TskCustomColorBox& m_box;
};

const std::vector<NamedColor>& ColorTable()
{
    static const std::vector<NamedColor> table = {
        {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
        {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
        {"clScrollBar", 0x80000000}, {"clBackground", 0x80000001}, {"clActiveCaption", 0x80000002},
        {"clInactiveCaption", 0x80000003}, {"clMenu", 0x80000004}, {"clWindow", 0x80000005},
        {"clWindowFrame", 0x80000006}, {"clMenuText", 0x80000007}, {"clWindowText", 0x80000008},
        {"clCaptionText", 0x80000009}, {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
        {"clAppWorkSpace", 0x8000000C}, {"clHighlight", 0x8000000D}, {"clHighlightText", 0x8000000E},
        {"clBtnFace", 0x8000000F}, {"clBtnShadow", 0x80000010}, {"clGrayText", 0x80000011},
        {"clBtnText", 0x80000012}, {"clInactiveCaptionText", 0x80000013}, {"clBtnHighlight", 0x80000014},
        {"cl3DDkShadow", 0x80000015}, {"cl3DLight", 0x80000016}, {"clInfoText", 0x80000017},
        {"clInfoBk", 0x80000018}, {"clHotLight", 0x8000001A}, {"clGradientActiveCaption", 0x8000001B},
        {"clGradientInactiveCaption", 0x8000001C}, {"clMenuHighlight", 0x8000001D}, {"clMenuBar", 0x8000001E},
        {"clNone", clNone}, {"clDefault", clDefault},
    };
    return table;
}

QString PrettyColorName(const QString& identifier)
{
    const QString bare = identifier.startsWith(QLatin1String("cl")) ? identifier.mid(2) : identifier;
    QString out;
    for (qsizetype i = 0; i < bare.size(); ++i) {
        if (i > 0 && bare[i].isUpper())
            out += QLatin1Char(' ');
        out += bare[i];
    }
    return out;
}

TskCustomColorBox::TskCustomColorBox(QWidget* parent) : TskCustomComboBox(parent)
{
    setItemDelegate(new ColorItemDelegate(*this));
    // The custom entry may refuse the choice, so OnChange waits for it.
    disconnect(this, &QComboBox::activated, this, nullptr);
    connect(this, &QComboBox::activated, this, [this](int index) { UserActivated(index); });
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) { update(); });
    m_colorDialog = [this](TColor initial) -> std::optional<TColor> {
        QColorDialog dialog(ToQColor(initial), this);
        QColorDialog::setCustomColor(0, ToQColor(initial));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return FromQColor(dialog.selectedColor());
    };
    PopulateList();
    SetSelected(clBlack);
}

void TskCustomColorBox::SetStyle(TColorBoxStyles style)
{
    m_style = style;
    setEnabled((style & (cbStandardColors | cbExtendedColors | cbSystemColors | cbCustomColor)) != 0);
    PopulateList();
    if (count() > 0 && currentIndex() < 0) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(0);
        m_lastIndex = 0;
    }
    update();
}

TColor TskCustomColorBox::ItemColor(int i) const
{
    return i >= 0 && i < count() ? TColor(itemData(i, kColorRole).toUInt()) : kNoColor;
}

TColor TskCustomColorBox::Selected() const { return currentIndex() < 0 ? kNoColor : ItemColor(currentIndex()); }

void TskCustomColorBox::SetSelected(TColor color)
{
    m_selected = color;
    const QSignalBlocker quiet(this);
    const int first = (m_style & cbCustomColor) ? 1 : 0;
    for (int i = first; i < count(); ++i) {
        if (ItemColor(i) == color) {
            setCurrentIndex(i);
            m_lastIndex = i;
            update();
            return;
        }
    }
    if ((m_style & cbCustomColor) && count() > 0 && color != kNoColor) {
        setItemData(0, color, kColorRole);
        setCurrentIndex(0);
    } else {
        setCurrentIndex(-1);
    }
    m_lastIndex = currentIndex();
    update();
}

void TskCustomColorBox::SetDefaultColorColor(TColor color)
{
    m_defaultColorColor = color;
    update();
}

void TskCustomColorBox::SetNoneColorColor(TColor color)
{
    m_noneColorColor = color;
    update();
}

void TskCustomColorBox::PopulateList()
{
    const QSignalBlocker quiet(this);
    const TColor custom = (m_style & cbCustomColor) && count() > 0 && itemText(0) == QLatin1String("Other...")
                              ? ItemColor(0)
                              : clBlack;
    const TColor selected = currentIndex() >= 0 ? Selected() : m_selected;
    clear();
    struct Entry {
        QString name;
        TColor color;
        int position;
    };
    std::vector<Entry> entries;
    const auto& table = ColorTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const QString id = QString::fromLatin1(table[i].name);
        entries.push_back({(m_style & cbPrettyNames) ? PrettyColorName(id) : id, table[i].color, int(i)});
    }
    auto drop = [&entries](auto test) {
        entries.erase(std::remove_if(entries.begin(), entries.end(), test), entries.end());
    };
    if (!(m_style & cbIncludeNone))
        drop([](const Entry& e) { return e.color == clNone; });
    if (!(m_style & cbIncludeDefault))
        drop([](const Entry& e) { return e.color == clDefault; });
    // None and Default stay when included, whichever colour ranges are listed.
    if (!(m_style & cbSystemColors))
        drop([](const Entry& e) { return IsSystemColor(e.color); });
    if (!(m_style & cbExtendedColors))
        drop([](const Entry& e) { return e.position >= 16 && e.position <= 19; });
    if (!(m_style & cbStandardColors))
        drop([](const Entry& e) { return e.position <= 15; });
    if (m_style & cbCustomColor) {
        addItem(QStringLiteral("Other..."));
        setItemData(0, custom, kColorRole);
    }
    for (const Entry& e : entries) {
        addItem(e.name);
        setItemData(count() - 1, e.color, kColorRole);
    }
    SetSelected(selected);
}

bool TskCustomColorBox::PickCustomColor()
{
    if (!m_colorDialog || count() == 0)
        return false;
    const std::optional<TColor> chosen = m_colorDialog(ItemColor(0));
    if (!chosen)
        return false;
    setItemData(0, *chosen, kColorRole);
    update();
    return true;
}

void TskCustomColorBox::showPopup()
{
    m_listSelected = false;
    TskCustomComboBox::showPopup();
}

void TskCustomColorBox::hidePopup()
{
    TskCustomComboBox::hidePopup();
    m_listSelected = true;
}

void TskCustomColorBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (m_style & cbCustomColor) && currentIndex() == 0) {
        m_listSelected = true;
        UserActivated(0);
        event->accept();
        return;
    }
    m_listSelected = false;
    TskCustomComboBox::keyPressEvent(event);
}

void TskCustomColorBox::UserActivated(int index)
{
    const bool fromList = m_listSelected;
    m_listSelected = false;
    if ((m_style & cbCustomColor) && index == 0 && fromList) {
        if (!PickCustomColor()) {
            // The list already moved the selection: put the old one back.
            const QSignalBlocker quiet(this);
            setCurrentIndex(m_lastIndex);
            update();
            return;
        }
    }
    m_lastIndex = index;
    m_selected = ItemColor(index);
    emit OnChange();
    emit OnSelect();
}

void TskCustomColorBox::DrawItem(QPainter& p, const QRect& r, int index, bool selected) const
{
    p.save();
    p.fillRect(r, selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base));
    TColor c = ItemColor(index);
    if (c == clDefault)
        c = m_defaultColorColor;
    else if (c == clNone)
        c = m_noneColorColor;
    const QColor swatch = ToQColor(c);
    const int h = r.height();
    const QRect square(r.left() + 1, r.top() + 1, h - 2, h - 2);
    p.fillRect(square, swatch);
    const bool light = swatch.red() >= 193 || swatch.green() >= 193 || swatch.blue() >= 193;
    const QColor frame = light ? QColor(0, 0, 0) : selected ? QColor(255, 255, 255) : swatch;
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(square.adjusted(0, 0, -1, -1));
    p.setPen(selected ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text));
    p.setFont(font());
    const int textLeft = square.right() + 1 + 5;
    p.drawText(QRect(textLeft, r.top(), std::max(0, r.right() + 1 - textLeft), h),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, itemText(index));
    p.restore();
}

QImage TskCustomColorBox::RenderItem(int i, QSize size, bool selected) const
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawItem(p, QRect(QPoint(0, 0), size), i, selected);
    return img;
}

void TskCustomColorBox::paintEvent(QPaintEvent* event)
{
    TskCustomComboBox::paintEvent(event);
    if (currentIndex() < 0)
        return;
    // The closed box shows the chosen item with its swatch.
    const VclRect b = ButtonRect(size());
    const QRect textBox(3, 3, std::max(0, b.left - 4), std::max(0, height() - 6));
    QPainter p(this);
    DrawItem(p, textBox, currentIndex(), hasFocus() && isEnabled());
}
