#pragma once
// Qt's list, tree and check-list views framed the skinned way: no native
// frame, a one-pixel ring in BorderColor on the outer edge and a ring in the
// control's colour just inside it. The item APIs are Qt's own.

#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QListWidget>
#include <QTreeWidget>

/// The frame every skinned item view carries.
class SkinViewFrame : public SkinStyleHooks {
public:
    virtual ~SkinViewFrame() = default;
    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints the frame at once.
    void SetBorderColor(TColor color);
    /// The control's background colour (the view's base colour).
    TColor Color() const;
    /// Stores, repaints.
    void SetColor(TColor color);
    /// Pixels between the outer edge and the items.
    virtual int BorderWidth() const { return m_borderWidth; }
    /// Stores (at least 1) and moves the items inward.
    virtual void SetBorderWidth(int width);

    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    /// A form's look gives the frame the theme's border colour (element 8).
    void ApplyContainerStyle(TskUIStyle style) override;

protected:
    /// `view` is the framed control (the object deriving from this class).
    void InitFrame(QAbstractScrollArea& view, int borderWidth);
    /// Keeps the rings above the viewport and scroll bars after a resize.
    bool FrameEvent(QAbstractScrollArea& view, QEvent* event, bool handled);
    /// Moves the viewport, header and scroll bars `width` pixels in from every edge.
    virtual void ApplyViewMargins(int width) = 0;

private:
    QAbstractScrollArea* m_view = nullptr;
    QWidget* m_overlay = nullptr;  // child drawing the rings over everything
    TColor m_borderColor = clBlack;
    int m_borderWidth = 2;
};

/// A framed QTreeWidget whose header sits inside the frame, above the items.
class SkinFramedTree : public QTreeWidget, public SkinViewFrame {
    Q_OBJECT

protected:
    /// The deriving view sets itself up, then calls InitFrame.
    explicit SkinFramedTree(QWidget* parent) : QTreeWidget(parent) {}
    void ApplyViewMargins(int width) override;
    bool event(QEvent* event) override;
};

/// A report-style list: columns and rows through QTreeWidget, no tree lines.
class TskListView : public SkinFramedTree {
    Q_OBJECT
public:
    /// GUI thread. BorderColor from the frame of parent's form, border 2 pixels.
    explicit TskListView(QWidget* parent = nullptr);
};

class TskTreeView : public SkinFramedTree {
    Q_OBJECT
public:
    /// GUI thread. BorderColor from the frame of parent's form, border 2 pixels.
    explicit TskTreeView(QWidget* parent = nullptr);
};

/// Check-list border styles: only a single ring exists here.
enum class TBorderStyle : std::uint8_t { bsNone = 0, bsSingle = 1 };

/// A list whose items carry flat check boxes (Qt::ItemIsUserCheckable).
/// Its frame is pinned: one pixel, always reading as a single border; the
/// control-colour ring then lies over the outermost ring of the items.
class TskCheckListBox : public QListWidget, public SkinViewFrame {
    Q_OBJECT
public:
    /// GUI thread. BorderColor from the frame of parent's form, border 1 pixel.
    explicit TskCheckListBox(QWidget* parent = nullptr);
    /// Appends a checkable item.
    QListWidgetItem* AddItem(const QString& text, bool checked = false);
    bool Checked(int row) const;
    /// Sets the item's check from code (itemChanged is raised as Qt does).
    void SetChecked(int row, bool on);
    /// Always 1.
    int BorderWidth() const override { return 1; }
    /// Ignored: the width stays 1.
    void SetBorderWidth(int) override {}
    /// Always single.
    TBorderStyle BorderStyle() const { return TBorderStyle::bsSingle; }
    /// Ignored: the frame stays as it is.
    void SetBorderStyle(TBorderStyle) {}

protected:
    void ApplyViewMargins(int width) override { setLineWidth(width); }
    bool event(QEvent* event) override;
};
