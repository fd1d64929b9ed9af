#pragma once
// The skinned check group: a framed, captioned group that makes one button
// per line of its Items, places them in columns (first column top to bottom,
// then the next) and reports a click on any of them, or on the frame,
// through its own OnClick.

#include "skin/group_box.h"

#include <QStringList>

#include <vector>

class TskCheckBox;

class TskCheckGroup : public TskCustomGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(int TopMargin READ TopMargin WRITE SetTopMargin)
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
public:
    /// GUI thread. No items, one column, caption "skCheckGroup", opaque, in
    /// the look of the parent's form and the parent's colour.
    explicit TskCheckGroup(QWidget* parent = nullptr);

    QStringList Items() const { return m_items; }
    /// Copies the lines: surplus buttons go from the end, new ones are added
    /// in the group's look, every button takes its line as caption, and the
    /// buttons are placed again.
    void SetItems(const QStringList& items);
    /// Number of item buttons (always Items().size()).
    int ButtonCount() const { return int(m_buttons.size()); }
    /// The button of line i; null outside the items.
    TskCheckBox* Button(int i) const;

    int Columns() const { return m_columns; }
    /// Stores and places the buttons again; negative is ignored. 0 places them in one column.
    void SetColumns(int columns);
    int TopMargin() const { return m_topMargin; }
    /// Space below the caption before the first row; negative is ignored.
    void SetTopMargin(int margin);
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores, takes the theme's colours (a built-in look) and gives every
    /// button the look and the group's colour.
    void SetUIStyle(TskUIStyle style);
    /// False outside the items, else whether button i is checked.
    bool GetChecked(int i) const;
    /// Checks or unchecks button i without a click; ignored outside the items.
    void SetChecked(int i, bool checked);
    /// Stores the background and switches ParentColor off.
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    /// When on, the background follows the parent's colour.
    void SetParentColor(bool on);
    /// The caption and the buttons' text colour; repaints.
    void SetFontColor(TColor color);
    /// The group's transparency, then every button's.
    void SetTransparent(bool on);

    /// Border, text and (unless ParentColor) background colours of the look;
    /// Custom keeps the group's own colours.
    void UpdateUIStyle(TskUIStyle style) override;
    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    /// A user click on an item (after the item's own state changed) or on the
    /// frame; never raised by setting state from code.
    void OnClick();

protected:
    /// Runs before OnClick on every item click.
    virtual void NewClick() {}
    /// A new item button, a child of the group.
    virtual TskCheckBox* CreateAButton();
    /// Places the buttons in columns inside the client area below TopMargin.
    void ArrangeButtons();

    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Rebuild();
    void ItemClick();
    void FollowParentColor();

    QStringList m_items;
    std::vector<TskCheckBox*> m_buttons;  // children of the group, index i for line i
    int m_columns = 1;
    int m_topMargin = 8;
    TskUIStyle m_uiStyle = TskUIStyle::Navy;
    bool m_parentColor = true;
    bool m_framePressed = false;
};
