#pragma once
// The skinned list box: Qt's list without its native frame, framed by a
// BorderColor ring, its scroll bar drawn in a theme's colours. Windows also
// use a hidden list box as a store of names, so the item operations are exact.

#include "skin/scroll_bar_binding.h"
#include "skin/themes.h"

#include <QListWidget>
#include <QStringList>

class TskListBox : public QListWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    /// GUI thread. Item height 13, BorderColor from the frame of parent's
    /// form (black without one), scroll bar in the form's look.
    explicit TskListBox(QWidget* parent = nullptr);

    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints.
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    /// Background colour; stores, repaints.
    void SetColor(TColor color);
    int ItemHeight() const { return m_itemHeight; }
    /// Height of every row in pixels (at least 1); stores, relays out.
    void SetItemHeight(int height);
    TskUIStyle ScrollBarLook() const { return m_scrollLook; }
    /// Draws the scroll bar in that look's colours (Custom keeps the current look).
    void SetScrollBarLook(TskUIStyle look);

    /// The external vertical bar; null when none is bound (or it was deleted).
    TskScrollBar* VScrollBar() const { return m_vBar.Bar(); }
    /// Hands scrolling to an external bar (a sibling placed over the right
    /// edge, hidden while every item fits; null releases it).
    void SetVScrollBar(TskScrollBar* bar);
    /// Places the external bar over the right edge, then mirrors the scroll state.
    void UpdateScrollBarsPos();
    /// Copies the scroll state into the external bar (never scrolls back).
    void UpdateScrollBars() { m_vBar.Mirror(); }

    /// Every item's text, in order.
    QStringList Items() const;
    /// Number of items.
    int Count() const { return count(); }
    /// Item i's text; empty outside 0..Count()-1.
    QString Item(int i) const;
    /// Appends an item; returns its index.
    int AddItem(const QString& text);
    /// Inserts before index i (i == Count() appends); an index outside 0..Count() is ignored.
    void InsertItem(int i, const QString& text);
    /// Removes item i (its selection goes with it); ignored outside 0..Count()-1.
    void DeleteItem(int i);
    /// Replaces every item; nothing stays selected.
    void SetItems(const QStringList& items);
    /// Removes every item.
    void ClearItems();
    /// Index of the first item equal to text regardless of case; -1 when
    /// there is none.
    int IndexOf(const QString& text) const;
    /// Every item followed by a line break.
    QString Text() const;
    /// Replaces the items by the lines of text (a final line break starts no new item).
    void SetText(const QString& text);

    /// The selected item, -1 when none.
    int ItemIndex() const;
    /// Selects item i; -1 or an index outside the items selects nothing. Raises no OnClick.
    void SetItemIndex(int i);

    TskUIStyle UIStyleOf() const override { return m_scrollLook; }
    /// A built-in look gives BorderColor its theme colour 8 and the scroll bar its colours.
    void ApplyContainerStyle(TskUIStyle style) override;

signals:
    /// The user selected another item (mouse or keys); never raised from code.
    void OnClick();
    /// A double click on the list.
    void OnDblClick();
    /// The list got the keyboard focus.
    void OnEnter();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TColor m_borderColor = clBlack;
    TColor m_color = clWindow;
    int m_itemHeight = 13;
    TskUIStyle m_scrollLook = TskUIStyle::Navy;
    int m_settingFromCode = 0;
    ScrollBarBinding m_vBar{*this, Qt::Vertical, IdleScrollBar::HideBar};
};
