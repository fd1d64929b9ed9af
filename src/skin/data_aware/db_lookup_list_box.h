#pragma once
// The skinned lookup list box: RowCount rows of the list data set, the row
// of the selected key highlighted, one column per list field. Keys and
// clicks select; holding the mouse above or below the list scrolls it.

#include "skin/data_aware/db_lookup_control.h"

#include <QScrollBar>
#include <QTimer>

class TskDBLookupListBox : public TskDBLookupControl {
    Q_OBJECT
public:
    /// GUI thread. 121 wide, seven rows, BorderColor from parent's form.
    explicit TskDBLookupListBox(QWidget* parent = nullptr);

    int RowCount() const { return m_rowCount; }
    /// Rows shown (kept within 1..100); the height follows.
    void SetRowCount(int rows);
    /// Height of one row: the height of the text "0".
    int RowHeight() const;
    /// Index of the list record in the top row.
    int TopIndex() const { return m_top; }
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    /// Milliseconds between edge-scroll steps with the mouse `distance`
    /// pixels beyond the list's edge (never below 10).
    static int EdgeScrollInterval(int distance);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void KeyValueChanged() override;
    void ListChanged() override;
    /// True for the pop-up list (drawn as dropped down).
    virtual bool DroppedDown() const { return false; }
    /// The row under y (may be outside 0..RowCount-1).
    int RowAt(int y) const;
    /// Selects the record at list index `index` (kept within the list).
    void SelectIndex(int index);

private:
    void Resync();
    void UpdateScrollBar();
    void EdgeScroll();

    int m_rowCount = 7;
    int m_top = 0;
    TColor m_borderColor = clBlack;
    TColor m_color = clWindow;
    QScrollBar* m_scrollBar;  // child
    QTimer m_edgeTimer;
    int m_edgeDirection = 0;
    bool m_tracking = false;
    bool m_syncingBar = false;
};

/// The drop-down list of a lookup combo box: a bordered tool window that
/// does not take activation.
class TskPopupDataList : public TskDBLookupListBox {
    Q_OBJECT
public:
    explicit TskPopupDataList(QWidget* owner);

protected:
    bool DroppedDown() const override { return true; }
};
