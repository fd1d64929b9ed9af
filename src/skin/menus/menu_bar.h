#pragma once
// The menu bar a frame (TskForm) shows below its title bar: one button per
// top-level item of its main menu, drawn in the menu's look; a click or the
// item's access key drops the item's menu down.

#include <QPointer>
#include <QWidget>

#include <vector>

class QMenu;
class TskForm;
class TskMainMenu;

class TskMenuBar : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. A bar on the frame, MenuBarHeight high, in MenuBarColor.
    explicit TskMenuBar(TskForm& frame);

    /// Rebuilds the buttons from the menu's top-level items.
    void Rebuild();
    /// Copies each top-level item's caption and enabled state to its button.
    void UpdateTopItems();
    int Count() const { return int(m_items.size()); }
    QString Caption(int i) const;
    bool ItemEnabled(int i) const;
    /// The button of item i (bar coordinates).
    QRect ItemRect(int i) const;
    /// The button at p; -1 for none.
    int ItemAt(QPoint p) const;
    int HotIndex() const { return m_hot; }
    int SelectedIndex() const { return m_selected; }
    /// Drops item i's menu down below its button (not for a disabled item).
    /// While it is open, Left and Right move to the neighbouring enabled item
    /// (wrapping round); Right on an item with a sub-menu opens that instead.
    void OpenItem(int i);
    /// The font the captions are drawn in.
    QFont BarFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QString caption;
        bool enabled = true;
        QPointer<QMenu> menu;
        int width = 0;
    };
    TskMainMenu* Menu() const;
    void Relayout();
    /// The enabled item `step` places from `from`, wrapping; -1 when none.
    int Neighbour(int from, int step) const;

    TskForm& m_frame;
    std::vector<Item> m_items;
    int m_hot = -1;
    int m_selected = -1;
};
