#include "skin/pickers/font_combo_box.h"

#include "skin/theme_pictures.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTypeRole = Qt::UserRole + 1;

// Draws a font item: its mark, then the name (in its own font when asked).
class FontItemDelegate : public QStyledItemDelegate {
public:
    explicit FontItemDelegate(TskFontComboBox& box) : QStyledItemDelegate(&box), m_box(box) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_box.DrawItem(*p, option.rect, index.row(), option.state & QStyle::State_Selected);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(m_box.MinItemHeight());
        return s;
    }

private:
    TskFontComboBox& m_box;
};

}  // namespace

bool FontPassesOptions(const FontFamilyInfo& font, TFontListOptions options)
{
    if ((options & foAnsiOnly) && !font.latin)
        return false;
    if ((options & foTrueTypeOnly) && !font.scalable)
        return false;
    if ((options & foFixedPitchOnly) && !font.fixedPitch)
        return false;
    // No family here uses the OEM character set.
    if (options & foOEMFontsOnly)
        return false;
    if ((options & foNoSymbolFonts) && font.symbol)
        return false;
    if ((options & foScalableOnly) && !font.scalable)
        return false;
    return true;
}

int FontTypeWord(const FontFamilyInfo& font)
{
    return (font.scalable ? kFontTypeTrueType : kFontTypeRaster) | (font.symbol ? 0 : kFontTypeNotSymbol);
}

std::vector<int> RasterPointSizes(const std::vector<int>& pixelSizes, double ppi)
{
    std::vector<int> sizes;
    if (ppi <= 0)
        return sizes;
    for (int px : pixelSizes) {
        // nearbyint rounds halves to even under the default rounding mode.
        const int pt = int(std::nearbyint(px * 72.0 / ppi));
        const auto at = std::lower_bound(sizes.begin(), sizes.end(), pt);
        if (at == sizes.end() || *at != pt)
            sizes.insert(at, pt);
    }
    return sizes;
}

const std::vector<int>& TrueTypeSizes()
{
    static const std::vector<int> sizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

// --- Draw base ---------------------------------------------------------------------

TskFontDrawComboBox::TskFontDrawComboBox(QWidget* parent) : TskCustomComboBox(parent) {}

void TskFontDrawComboBox::SetStyle(TFontDrawComboStyle style)
{
    m_style = style;
    setEditable(style != TFontDrawComboStyle::csDropDownList);
    QLineEdit* edit = lineEdit();
    if (edit && edit != m_hookedEdit) {
        m_hookedEdit = edit;
        // Typing a listed name (in any case) selects that item.
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            const int found = findText(text, Qt::MatchFixedString);
            if (found < 0 || found == currentIndex())
                return;
            {
                const QSignalBlocker quiet(this);
                setCurrentIndex(found);
                lineEdit()->setText(text);
            }
            emit OnChange();
        });
    }
}

int TskFontDrawComboBox::MinItemHeight() const { return std::max(9, QFontMetrics(font()).height() + 1); }

void TskFontDrawComboBox::ResetItemHeight()
{
    if (view())
        view()->doItemsLayout();
}

void TskFontDrawComboBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        ResetItemHeight();
    TskCustomComboBox::changeEvent(event);
}

// --- Font names ----------------------------------------------------------------------

TskFontComboBox::TskFontComboBox(QWidget* parent, std::shared_ptr<const FontCatalog> catalog)
    : TskFontDrawComboBox(parent), m_catalog(catalog ? catalog : SystemFontCatalog())
{
    m_trueTypeMark = MaskedImage(ThemeImage(QStringLiteral("FONTCOMBO_TRUETYPE_FNT")), qRgb(255, 0, 255));
    m_deviceMark = MaskedImage(ThemeImage(QStringLiteral("FONTCOMBO_DEVICE_FNT")), qRgb(255, 0, 255));
    setItemDelegate(new FontItemDelegate(*this));
    PopulateList();
    connect(qApp, &QGuiApplication::fontDatabaseChanged, this, &TskFontComboBox::Reset);
    if (!catalog)
        m_folders = std::make_unique<FontFolderWatcher>(FontFolderWatcher::FontconfigFolders());
}

void TskFontComboBox::SetCatalog(std::shared_ptr<const FontCatalog> catalog)
{
    if (!catalog && !m_folders)
        m_folders = std::make_unique<FontFolderWatcher>(FontFolderWatcher::FontconfigFolders());
    else if (catalog)
        m_folders.reset();
    m_catalog = catalog ? std::move(catalog) : SystemFontCatalog();
    Reset();
}

void TskFontComboBox::SetDevice(TFontDevice device)
{
    m_device = device;
    Reset();
}

void TskFontComboBox::SetOptions(TFontListOptions options)
{
    m_options = options;
    Reset();
}

void TskFontComboBox::SetUseFonts(bool on)
{
    m_useFonts = on;
    update();
    if (view())
        view()->viewport()->update();
}

int TskFontComboBox::MinItemHeight() const
{
    return std::max(TskFontDrawComboBox::MinItemHeight(), m_trueTypeMark.height() - 1);
}

void TskFontComboBox::PopulateList()
{
    const QSignalBlocker quiet(this);
    clear();
    // Printers have no families of their own here: the screen's are the only ones.
    if (m_device == TFontDevice::fdPrinter)
        return;
    std::vector<FontFamilyInfo> families = m_catalog->Families();
    std::sort(families.begin(), families.end(), [](const FontFamilyInfo& a, const FontFamilyInfo& b) {
        return QString::compare(a.family, b.family, Qt::CaseInsensitive) < 0;
    });
    for (const FontFamilyInfo& f : families) {
        if (!FontPassesOptions(f, m_options) || findText(f.family, Qt::MatchFixedString) >= 0)
            continue;
        addItem(f.family);
        setItemData(count() - 1, FontTypeWord(f), kTypeRole);
    }
    setCurrentIndex(-1);
}

void TskFontComboBox::SetFontName(const QString& name)
{
    if (name == currentText() && (currentIndex() >= 0 || isEditable()))
        return;
    {
        const QSignalBlocker quiet(this);
        const int found = findText(name, Qt::MatchFixedString);
        if (found >= 0) {
            setCurrentIndex(found);
        } else {
            setCurrentIndex(-1);
            if (isEditable())
                setEditText(name);
        }
    }
    update();
    // Whether or not the name was found; a refresh signals once itself.
    if (!m_updating)
        emit OnChange();
}

void TskFontComboBox::Reset()
{
    const QString name = FontName();
    m_updating = true;
    PopulateList();
    SetFontName(name);
    m_updating = false;
    if (FontName() != name)
        emit OnChange();
}

bool TskFontComboBox::event(QEvent* event)
{
    if (event->type() == QEvent::ApplicationFontChange)
        Reset();
    return TskFontDrawComboBox::event(event);
}

void TskFontComboBox::DrawItem(QPainter& p, const QRect& r, int index, bool selected) const
{
    p.save();
    p.fillRect(r, selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base));
    const int type = itemData(index, kTypeRole).toInt();
    const QImage* mark = (type & kFontTypeTrueType) ? &m_trueTypeMark
                         : (type & kFontTypeDevice) ? &m_deviceMark
                                                    : nullptr;
    int textLeft = r.left() + 20 + 6;
    if (mark && !mark->isNull()) {
        p.drawImage(r.left() + 2, r.top() + (r.height() - mark->height()) / 2, *mark);
        textLeft = r.left() + mark->width() + 6;
    }
    QFont f = font();
    const QString name = itemText(index);
    if (m_useFonts && (type & kFontTypeNotSymbol))
        f.setFamily(name);
    p.setFont(f);
    p.setPen(selected ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text));
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | (layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    p.drawText(QRect(textLeft, r.top(), std::max(0, r.right() + 1 - textLeft), r.height()), flags, name);
    p.restore();
}

QImage TskFontComboBox::ItemImage(int index, QSize size, bool selected) const
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawItem(p, QRect(QPoint(0, 0), size), index, selected);
    return img;
}

void TskFontComboBox::paintEvent(QPaintEvent* event)
{
    TskFontDrawComboBox::paintEvent(event);
    // A fixed list shows the chosen family with its mark; an editable box
    // leaves its text to the edit.
    if (isEditable() || currentIndex() < 0)
        return;
    const VclRect b = ButtonRect(size());
    const QRect face(3, 3, std::max(0, b.left - 4), std::max(0, height() - 6));
    QPainter p(this);
    DrawItem(p, face, currentIndex(), hasFocus() && isEnabled());
}

// --- Sizes ---------------------------------------------------------------------------

TskFontSizeComboBox::TskFontSizeComboBox(QWidget* parent, std::shared_ptr<const FontCatalog> catalog)
    : TskCustomComboBox(parent), m_catalog(catalog ? std::move(catalog) : SystemFontCatalog())
{
    // Sizes are a few digits: the list never needs to scroll sideways.
    view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TskFontSizeComboBox::SetFontName(const QString& name)
{
    Rebuild(name);
    emit OnChange();  // once, after the list is rebuilt
}

void TskFontSizeComboBox::Rebuild(const QString& name)
{
    m_fontName = name;
    const QString chosen = currentText();
    const QSignalBlocker quiet(this);
    clear();
    if (name.isEmpty())
        return;
    double ppi = m_ppi;
    if (ppi <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        ppi = screen ? screen->logicalDotsPerInchY() : 96.0;
    }
    for (const FontFamilyInfo& f : m_catalog->Families()) {
        if (QString::compare(f.family, name, Qt::CaseInsensitive) != 0)
            continue;
        // An outline family offers the fixed list only, whatever bitmap faces it also has.
        const std::vector<int> sizes = f.scalable ? TrueTypeSizes() : RasterPointSizes(f.pixelSizes, ppi);
        for (int s : sizes)
            addItem(QString::number(s));
        break;
    }
    setCurrentIndex(findText(chosen));
}

void TskFontSizeComboBox::SetFontSize(int size)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(findText(QString::number(size)));
    update();
}
