#include "skin/tab_control.h"

#include "skin/skin_drawing.h"
#include "skin/theme_pictures.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kDefaultStripHeight = 22;

// A vertical line from y0 towards y1, without its end pixel.
void VLine(QPainter& p, int x, int y0, int y1, const QColor& c)
{
    if (y1 > y0)
        p.fillRect(QRect(x, y0, 1, y1 - y0), c);
    else if (y0 > y1)
        p.fillRect(QRect(x, y1 + 1, 1, y0 - y1), c);
}

void HLine(QPainter& p, int y, int x0, int x1, const QColor& c)
{
    if (x1 > x0)
        p.fillRect(QRect(x0, y, x1 - x0, 1), c);
}

}  // namespace

// --- Strip ---------------------------------------------------------------------

TskTabControlTopPanel::TskTabControlTopPanel(TskTab& owner) : QWidget(&owner), m_owner(owner)
{
    m_tabs = {QStringLiteral("Tab1")};
    m_visible = {true};
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(owner.width(), kDefaultStripHeight);
}

void TskTabControlTopPanel::SetTabs(const QStringList& tabs)
{
    m_tabs = tabs;
    m_visible.assign(std::size_t(tabs.size()), true);
    update();
}

void TskTabControlTopPanel::SetTabIndex(int index)
{
    if (m_tabs.isEmpty()) {
        m_tabIndex = -1;
        update();
        return;
    }
    if (index >= -1 && index < m_tabs.size()) {
        m_tabIndex = index;
        update();
        m_owner.TabActive(index);
        return;
    }
    update();
}

void TskTabControlTopPanel::SetTabIndexField(int index)
{
    m_tabIndex = index;
    update();
}

void TskTabControlTopPanel::SetLeftMargin(int margin)
{
    m_leftMargin = margin;
    update();
}

void TskTabControlTopPanel::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    m_active = ThemeImage(GetThemeString(style, 70));
    m_inactive = ThemeImage(GetThemeString(style, 71));
    m_line = ThemeImage(GetThemeString(style, 72));
    const int h = GetThemeInt(style, 73);
    if (h > 0)
        setFixedHeight(h);
    m_owner.update();
    update();
}

bool TskTabControlTopPanel::TabVisible(int i) const
{
    return i >= 0 && std::size_t(i) < m_visible.size() ? m_visible[std::size_t(i)] : false;
}

void TskTabControlTopPanel::SetTabVisible(int i, bool visible)
{
    if (i < 0 || std::size_t(i) >= m_visible.size())
        return;
    m_visible[std::size_t(i)] = visible;
    update();
}

void TskTabControlTopPanel::SetTabVisibility(const std::vector<bool>& visible)
{
    m_visible = visible;
    m_visible.resize(std::size_t(m_tabs.size()), true);
    update();
}

int TskTabControlTopPanel::TabWidthFor(const QString& text, const QFont& font)
{
    const int w = text.isEmpty() ? 80 : QFontMetrics(font).horizontalAdvance(text) + 20;
    return std::max(w, 15);
}

int TskTabControlTopPanel::TabAt(QPoint p) const
{
    int x = m_leftMargin;
    for (std::size_t i = 0; i < m_widths.size(); ++i) {
        const int w = m_widths[i];
        if (x < p.x() && p.x() < x + w && p.y() >= 1 && p.y() < m_activeHeight)
            return int(i);
        x += w;
    }
    return -1;
}

void TskTabControlTopPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    DoTrans(p, *this);
    const int W = width();
    const QColor border = ToQColor(m_owner.BorderColor());
    const bool pictures = !m_active.isNull() && !m_inactive.isNull() && !m_line.isNull();
    // Without the look's pictures (a Custom look) the tabs are drawn plain.
    const int Hi = pictures ? m_inactive.height() : std::max(1, height() - 3);
    const int Hl = pictures ? m_line.height() : height() - Hi;
    m_activeHeight = pictures ? m_active.height() : Hi + 1;

    if (pictures) {
        if (W > 2)
            p.drawImage(QRect(1, Hi, W - 2, Hl), m_line);
    } else {
        p.fillRect(QRect(1, Hi, std::max(0, W - 2), Hl), ToQColor(m_owner.Color()));
        HLine(p, Hi, 1, W - 1, border);
    }
    VLine(p, 0, Hi, Hi + Hl, border);
    VLine(p, W - 1, Hi, Hi + Hl, border);

    p.setFont(m_owner.font());
    m_widths.assign(std::size_t(m_tabs.size()), 0);
    int x = m_leftMargin;
    for (int i = 0; i < m_tabs.size(); ++i) {
        if (!TabVisible(i))
            continue;
        const int w = TabWidthFor(m_tabs[i], m_owner.font());
        m_widths[std::size_t(i)] = w;
        const bool active = i == m_tabIndex;
        const QRect r = active ? QRect(x, 1, w, Hi) : QRect(x, 0, w, Hi);
        if (pictures) {
            SpitDrawHorizontal(active ? m_active : m_inactive, p, r, true);
        } else {
            const QRect face = active ? QRect(x, 1, w, Hi) : QRect(x, 2, w, Hi - 2);
            p.fillRect(face, active ? ToQColor(m_owner.Color()) : ToQColor(m_owner.Color()).darker(110));
            VLine(p, face.left(), face.top() + face.height(), face.top(), border);
            HLine(p, face.top(), face.left(), face.left() + w, border);
            VLine(p, face.left() + w - 1, face.top(), face.top() + face.height() + (active ? 1 : 0), border);
        }
        x += w;
        p.setPen(m_owner.palette().color(QPalette::WindowText));
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_tabs[i]);
    }
}

void TskTabControlTopPanel::mousePressEvent(QMouseEvent* event)
{
    repaint();
    QWidget::mousePressEvent(event);
    const int hit = TabAt(event->position().toPoint());
    if (hit >= 0)
        SetTabIndex(hit);
}

// --- Tab -------------------------------------------------------------------------

TskTab::TskTab(QWidget* parent) : QWidget(parent)
{
    m_strip = new TskTabControlTopPanel(*this);
    resize(185, 80);
    SetUIStyle(GetSkinFormStyle(parent));
    LayoutChildren();
}

void TskTab::SetUIStyle(TskUIStyle style)
{
    if (!IsBuiltInStyle(style))
        return;
    m_uiStyle = style;
    m_borderColor = GetThemeColor(style, 8);
    m_strip->SetUIStyle(style);
    SetColor(style == TskUIStyle::Azure ? clWhite : GetThemeColor(style, 9));
    BorderColorChanged();
    UpdateUIStyle(style);
    LayoutChildren();
    update();
}

void TskTab::SetBorderColor(TColor color)
{
    m_borderColor = color;
    BorderColorChanged();
    update();
    m_strip->update();
}

void TskTab::SetColor(TColor color)
{
    m_color = color;
    update();
    m_strip->update();
}

QRect TskTab::BodyRect() const
{
    const int top = m_strip->height();
    return QRect(0, top, width(), std::max(0, height() - top));
}

void TskTab::TabActive(int index) { emit OnTabActive(this, index); }

void TskTab::UpdateUIStyle(TskUIStyle style) { ContainerApplyUIStyle(this, style); }

void TskTab::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int sh = m_strip->height();
    const int W = width();
    const int H = height();
    p.fillRect(QRect(0, sh, W, std::max(0, H - sh)), ToQColor(m_color));
    const QColor c = ToQColor(m_borderColor);
    VLine(p, 0, sh, H - 1, c);
    HLine(p, H - 1, 0, W - 1, c);
    VLine(p, W - 1, H - 1, sh - 1, c);
}

void TskTab::resizeEvent(QResizeEvent*) { LayoutChildren(); }

void TskTab::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_strip->update();
    if (event->type() == QEvent::CursorChange)
        m_strip->setCursor(cursor());
    QWidget::changeEvent(event);
}

void TskTab::LayoutChildren() { m_strip->setGeometry(0, 0, width(), m_strip->height()); }

TskTabControl::TskTabControl(QWidget* parent) : TskTab(parent) {}

// --- Sheet -----------------------------------------------------------------------

TskTabSheet::TskTabSheet(TskPageControl* pageControl)
{
    m_caption = QStringLiteral(" ");
    if (pageControl)
        SetPageControl(pageControl);
}

TskTabSheet::~TskTabSheet()
{
    if (m_pageControl)
        m_pageControl->RemovePage(*this);
}

void TskTabSheet::SetPageControl(TskPageControl* pageControl)
{
    if (pageControl == m_pageControl)
        return;
    if (m_pageControl)
        m_pageControl->RemovePage(*this);
    if (pageControl)
        pageControl->InsertPage(*this);
}

void TskTabSheet::SetPageIndex(int i)
{
    if (m_pageControl)
        m_pageControl->MovePage(*this, i);
}

void TskTabSheet::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (m_pageControl)
        m_pageControl->RebuildTabs();
}

void TskTabSheet::SetTabVisible(bool visible)
{
    m_tabVisible = visible;
    if (m_pageControl)
        m_pageControl->PageTabVisibleChanged(*this);
}

void TskTabSheet::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskTabSheet::SetColor(TColor color)
{
    m_color = color;
    update();
}

void TskTabSheet::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int W = width();
    const int H = height();
    p.fillRect(rect(), ToQColor(m_color));
    const QColor c = ToQColor(m_borderColor);
    VLine(p, 0, 0, H - 1, c);
    HLine(p, H - 1, 0, W - 1, c);
    VLine(p, W - 1, H - 1, -1, c);
}

// --- Page control ----------------------------------------------------------------

TskPageControl::TskPageControl(QWidget* parent) : TskTab(parent)
{
    Strip().SetTabs({});
    Strip().SetTabIndexField(-1);
}

TskPageControl::~TskPageControl()
{
    for (TskTabSheet* page : m_pages)
        page->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

TskTabSheet* TskPageControl::GetPage(int i) const
{
    return i >= 0 && i < PageCount() ? m_pages[std::size_t(i)] : nullptr;
}

void TskPageControl::SetActivePage(TskTabSheet* page)
{
    if (page && page->m_pageControl == this)
        ActivatePage(page->m_pageIndex);
}

int TskPageControl::ActivePageIndex() const { return m_activePage ? m_activePage->m_pageIndex : 0; }

void TskPageControl::SetActivePageIndex(int i)
{
    if (i >= 0 && i < PageCount())
        ActivatePage(i);
}

TskTabSheet* TskPageControl::NewPage()
{
    auto taken = [this](const QString& name) {
        return std::any_of(m_pages.begin(), m_pages.end(),
                           [&name](const TskTabSheet* p) { return p->objectName() == name; });
    };
    int n = PageCount() + 1;
    while (taken(QStringLiteral("skTabSheet%1").arg(n)))
        ++n;
    const QString name = QStringLiteral("skTabSheet%1").arg(n);
    auto* page = new TskTabSheet;
    page->setObjectName(name);
    page->m_caption = name;
    page->SetPageControl(this);
    return page;
}

int TskPageControl::NextVisiblePage(int i, bool forward) const
{
    const int n = PageCount();
    auto shown = [this](int k) { return m_pages[std::size_t(k)]->m_tabVisible; };
    if (forward) {
        for (int k = i + 1; k < n; ++k)
            if (shown(k))
                return k;
        for (int k = 0; k < i && k < n; ++k)
            if (shown(k))
                return k;
    } else {
        for (int k = std::min(i, n) - 1; k >= 0; --k)
            if (shown(k))
                return k;
        for (int k = n - 1; k > i; --k)
            if (shown(k))
                return k;
    }
    return -1;
}

void TskPageControl::SelectNextPage(bool forward)
{
    if (!m_activePage)
        return;
    const int next = NextVisiblePage(m_activePage->m_pageIndex, forward);
    if (next >= 0)
        ActivatePage(next);
}

void TskPageControl::ActivatePage(int i)
{
    if (i < 0 || i >= Strip().Tabs().size() || i >= PageCount()) {
        m_activePage = nullptr;
        Strip().SetTabIndexField(-1);
        for (TskTabSheet* page : m_pages)
            page->hide();
        return;
    }
    // The field, not the setter: the setter would run TabActive a second time.
    Strip().SetTabIndexField(i);
    m_activePage = m_pages[std::size_t(i)];
    for (TskTabSheet* page : m_pages) {
        if (page != m_activePage)
            page->hide();
    }
    m_activePage->show();
    m_activePage->raise();
    emit m_activePage->OnShow();
    emit OnTabActive(this, i);
}

void TskPageControl::ActivatePage(TskTabSheet* page)
{
    if (page && page->m_pageControl == this)
        ActivatePage(page->m_pageIndex);
}

void TskPageControl::TabActive(int index) { ActivatePage(index); }

void TskPageControl::SetColor(TColor color)
{
    TskTab::SetColor(color);
    for (TskTabSheet* page : m_pages)
        page->SetColor(color);
}

void TskPageControl::BorderColorChanged()
{
    for (TskTabSheet* page : m_pages)
        page->SetBorderColor(BorderColor());
    if (m_activePage)
        m_activePage->update();
}

void TskPageControl::UpdateUIStyle(TskUIStyle style)
{
    TskTab::UpdateUIStyle(style);
    for (TskTabSheet* page : m_pages) {
        page->SetColor(Color());
        page->SetBorderColor(BorderColor());
        ContainerApplyUIStyle(page, style);
    }
}

void TskPageControl::LayoutChildren()
{
    TskTab::LayoutChildren();
    const QRect body = BodyRect();
    for (TskTabSheet* page : m_pages)
        page->setGeometry(body);
}

void TskPageControl::InsertPage(TskTabSheet& page)
{
    page.m_pageControl = this;
    if (page.parentWidget() != this)
        page.setParent(this);
    page.m_color = Color();
    page.m_borderColor = BorderColor();
    m_pages.push_back(&page);
    Renumber();
    RebuildTabs();
    page.setGeometry(BodyRect());
    ActivatePage(page.m_pageIndex);
}

void TskPageControl::RemovePage(TskTabSheet& page)
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), &page);
    if (it == m_pages.end())
        return;
    const int old = page.m_pageIndex;
    m_pages.erase(it);
    page.m_pageControl = nullptr;
    page.m_pageIndex = -1;
    if (m_activePage == &page)
        m_activePage = nullptr;
    Renumber();
    RebuildTabs();
    ActivatePage(old - 1);
}

void TskPageControl::MovePage(TskTabSheet& page, int to)
{
    if (to < 0 || to >= PageCount())
        return;
    const auto it = std::find(m_pages.begin(), m_pages.end(), &page);
    if (it == m_pages.end())
        return;
    m_pages.erase(it);
    m_pages.insert(m_pages.begin() + to, &page);
    Renumber();
    RebuildTabs();
    ActivatePage(to);
}

void TskPageControl::PageTabVisibleChanged(TskTabSheet& page)
{
    const int i = page.m_pageIndex;
    Strip().SetTabVisible(i, page.m_tabVisible);
    if (page.m_tabVisible) {
        ActivatePage(i);
        return;
    }
    int target = -1;
    for (int k = i - 1; k >= 0 && target < 0; --k)
        if (m_pages[std::size_t(k)]->m_tabVisible)
            target = k;
    for (int k = i + 1; k < PageCount() && target < 0; ++k)
        if (m_pages[std::size_t(k)]->m_tabVisible)
            target = k;
    if (target >= 0)
        ActivatePage(target);
}

void TskPageControl::Renumber()
{
    for (std::size_t k = 0; k < m_pages.size(); ++k)
        m_pages[k]->m_pageIndex = int(k);
}

void TskPageControl::RebuildTabs()
{
    QStringList texts;
    std::vector<bool> visible;
    for (const TskTabSheet* page : m_pages) {
        texts << page->m_caption;
        visible.push_back(page->m_tabVisible);
    }
    const int index = Strip().TabIndex();
    Strip().SetTabs(texts);
    // Flags follow the pages, so moving or removing one never hides another's tab.
    Strip().SetTabVisibility(visible);
    Strip().SetTabIndexField(index < texts.size() ? index : -1);
}
