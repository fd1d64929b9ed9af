#include "skin/item_views.h"

#include "skin/skin_drawing.h"
#include "skin/themes.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>

// --- Frame -----------------------------------------------------------------------

namespace {

// Drawn over the viewport and the scroll bars, so the rings stay whole
// whatever the view paints; mouse input passes through.
class FrameOverlay : public QWidget {
public:
    FrameOverlay(QWidget& view, const SkinViewFrame& frame) : QWidget(&view), m_frame(frame)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        DrawControlBorder(p, rect(), m_frame.BorderColor(), m_frame.Color());
    }

private:
    const SkinViewFrame& m_frame;
};

}  // namespace

void SkinViewFrame::InitFrame(QAbstractScrollArea& view, int borderWidth)
{
    m_view = &view;
    // A plain box frame as wide as the border moves the header, the items
    // and the scroll bars alike inside it; the overlay paints the rings.
    view.setFrameShape(QFrame::Box);
    view.setFrameShadow(QFrame::Plain);
    m_borderColor = GetBorderColor(view.parentWidget());
    m_borderWidth = borderWidth;
    ApplyViewMargins(borderWidth);
    m_overlay = new FrameOverlay(view, *this);
    m_overlay->setGeometry(view.rect());
    m_overlay->raise();
}

void SkinViewFrame::SetBorderColor(TColor color)
{
    m_borderColor = color;
    if (m_overlay)
        m_overlay->update();
}

TColor SkinViewFrame::Color() const
{
    return m_view ? FromQColor(m_view->palette().color(QPalette::Base)) : clWhite;
}

void SkinViewFrame::SetColor(TColor color)
{
    if (!m_view)
        return;
    QPalette pal = m_view->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    m_view->setPalette(pal);
    m_view->viewport()->update();
    m_overlay->update();
}

void SkinViewFrame::SetBorderWidth(int width)
{
    m_borderWidth = std::max(1, width);
    if (m_view)
        ApplyViewMargins(m_borderWidth);
}

void SkinViewFrame::ApplyContainerStyle(TskUIStyle style)
{
    if (ThemeColorsApply(style))
        SetBorderColor(GetThemeColor(style, 8));
}

bool SkinViewFrame::FrameEvent(QAbstractScrollArea& view, QEvent* event, bool handled)
{
    if (m_overlay && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest
                      || event->type() == QEvent::Show)) {
        m_overlay->setGeometry(view.rect());
        m_overlay->raise();
    }
    return handled;
}

// --- Views -----------------------------------------------------------------------

bool SkinFramedTree::event(QEvent* event) { return FrameEvent(*this, event, QTreeWidget::event(event)); }

TskListView::TskListView(QWidget* parent) : SkinFramedTree(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    InitFrame(*this, 2);
}

TskTreeView::TskTreeView(QWidget* parent) : SkinFramedTree(parent)
{
    setHeaderHidden(true);
    InitFrame(*this, 2);
}

TskCheckListBox::TskCheckListBox(QWidget* parent) : QListWidget(parent)
{
    InitFrame(*this, 1);
}

QListWidgetItem* TskCheckListBox::AddItem(const QString& text, bool checked)
{
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

bool TskCheckListBox::Checked(int row) const
{
    const QListWidgetItem* it = item(row);
    return it && it->checkState() == Qt::Checked;
}

void TskCheckListBox::SetChecked(int row, bool on)
{
    if (QListWidgetItem* it = item(row))
        it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

bool TskCheckListBox::event(QEvent* event) { return FrameEvent(*this, event, QListWidget::event(event)); }

void SkinFramedTree::ApplyViewMargins(int width) { setLineWidth(width); }
