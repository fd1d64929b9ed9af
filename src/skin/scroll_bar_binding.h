#pragma once
// One external skinned scroll bar driving, and following, one of a scroll
// area's own bars. The area keeps its own bar under the external one: the
// own bar holds the scroll state, the external one shows it and moves it.

#include "skin/scroll_bar.h"

#include <QAbstractScrollArea>
#include <QMetaObject>
#include <QPointer>
#include <QRect>

#include <cstdint>
#include <vector>

/// What an external bar shows while the area has nothing to scroll.
enum class IdleScrollBar : std::uint8_t { HideThumb, HideBar };

class ScrollBarBinding {
public:
    /// GUI thread. Binds nothing yet; `area` outlives the binding.
    ScrollBarBinding(QAbstractScrollArea& area, Qt::Orientation orientation, IdleScrollBar idle);
    ~ScrollBarBinding();
    ScrollBarBinding(const ScrollBarBinding&) = delete;
    ScrollBarBinding& operator=(const ScrollBarBinding&) = delete;

    /// The bound bar; null when none is bound or it was deleted.
    TskScrollBar* Bar() const { return m_bar; }
    /// Releases the old bar (no OnChange link, LineButton 0, Max 100,
    /// enabled) and takes the new one (turned to the orientation, raised).
    /// False when `bar` is already the bound one.
    bool Bind(TskScrollBar* bar);
    /// Puts the bar at `geometry` (in the area's parent's coordinates, mapped
    /// when the bar has another parent),
    /// then mirrors the scroll state.
    void Place(const QRect& geometry);
    /// Copies the area's scroll state into the bar without scrolling back:
    /// range, position, thumb length, and whether it can scroll at all.
    void Mirror();

private:
    QScrollBar& Own() const;
    bool OwnShown() const;
    void Scrolled();

    QAbstractScrollArea& m_area;
    Qt::Orientation m_orientation;
    IdleScrollBar m_idle;
    QPointer<TskScrollBar> m_bar;
    QMetaObject::Connection m_barChange;
    std::vector<QMetaObject::Connection> m_ownChanges;
    bool m_updating = false;
};
