#pragma once
// The skinned tab strip and the two controls built on it: a tab control whose
// selection the program handles itself, and a page control whose tabs switch
// between pages (TskTabSheet) filling the area below the strip.

#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <vector>

class TskTab;
class TskPageControl;

/// The row of tabs along a TskTab's top edge.
class TskTabControlTopPanel : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. One tab "Tab1", index 0, a 10-pixel margin.
    explicit TskTabControlTopPanel(TskTab& owner);

    QStringList Tabs() const { return m_tabs; }
    /// Copies the texts (every tab shown), repaints.
    void SetTabs(const QStringList& tabs);
    int TabIndex() const { return m_tabIndex; }
    /// No tabs: -1. -1 .. count - 1: stored, and the owner's TabActive runs
    /// (again for the same index). Any other index only repaints.
    void SetTabIndex(int index);
    /// Stores the index without telling the owner.
    void SetTabIndexField(int index);
    int LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(int margin);
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Takes the look's tab pictures and its strip height (theme 73).
    void SetUIStyle(TskUIStyle style);
    bool TabVisible(int i) const;
    /// Shows or hides tab i, repaints.
    void SetTabVisible(int i, bool visible);
    /// Replaces every visible flag (one per tab).
    void SetTabVisibility(const std::vector<bool>& visible);
    /// Drawn width of each tab at the last paint (0 for hidden); empty before the first paint.
    const std::vector<int>& TabWidths() const { return m_widths; }
    /// The tab at p by the last paint, -1 for none.
    int TabAt(QPoint p) const;
    /// Width of a tab with that text: text + 20, 80 for an empty text, at least 15.
    static int TabWidthFor(const QString& text, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TskTab& m_owner;
    QStringList m_tabs;
    std::vector<bool> m_visible;
    std::vector<int> m_widths;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    QImage m_active;
    QImage m_inactive;
    QImage m_line;
    int m_tabIndex = 0;
    int m_leftMargin = 10;
    int m_activeHeight = 0;  // taken at each paint; nothing hits before the first
};

/// Common base of the tab and page controls: the strip on top, the body below
/// framed on its left, bottom and right in BorderColor.
class TskTab : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE SetLeftMargin)
public:
    TskTabControlTopPanel& Strip() { return *m_strip; }
    const TskTabControlTopPanel& Strip() const { return *m_strip; }
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Custom is ignored; a built-in look takes the theme colours and pictures.
    void SetUIStyle(TskUIStyle style);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    virtual void SetColor(TColor color);
    int LeftMargin() const { return m_strip->LeftMargin(); }
    void SetLeftMargin(int margin) { m_strip->SetLeftMargin(margin); }
    /// The area below the strip.
    QRect BodyRect() const;

    /// Runs when a tab becomes active (a click or SetTabIndex).
    virtual void TabActive(int index);

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    void OnTabActive(TskTab* sender, int index);

protected:
    /// GUI thread. 80 pixels high, in the look of parent's form.
    explicit TskTab(QWidget* parent);
    virtual void BorderColorChanged() {}
    /// Pushes the look into the skinned controls inside.
    virtual void UpdateUIStyle(TskUIStyle style);
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    /// Places the strip (and, in the page control, the pages).
    virtual void LayoutChildren();

private:
    TskTabControlTopPanel* m_strip = nullptr;  // child widget
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    TColor m_borderColor = clBlack;
    TColor m_color = clBtnFace;
};

class TskTabControl : public TskTab {
    Q_OBJECT
    Q_PROPERTY(QStringList Tabs READ Tabs WRITE SetTabs)
    Q_PROPERTY(int TabIndex READ TabIndex WRITE SetTabIndex)
public:
    explicit TskTabControl(QWidget* parent = nullptr);
    QStringList Tabs() const { return Strip().Tabs(); }
    void SetTabs(const QStringList& tabs) { Strip().SetTabs(tabs); }
    int TabIndex() const { return Strip().TabIndex(); }
    void SetTabIndex(int index) { Strip().SetTabIndex(index); }
    /// Pushes the look into the controls inside (a page control, not being
    /// a tab control, is reached only through its own look).
    void ApplySubContainerStyle(TskUIStyle style) override { UpdateUIStyle(style); }
};

/// One page of a page control; it fills the area below the strip.
class TskTabSheet : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool TabVisible READ TabVisible WRITE SetTabVisible)
    Q_PROPERTY(int PageIndex READ PageIndex WRITE SetPageIndex)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    /// GUI thread. Joins the page control when given one.
    explicit TskTabSheet(TskPageControl* pageControl = nullptr);
    ~TskTabSheet() override;

    TskPageControl* PageControl() const { return m_pageControl; }
    /// Leaves the old page control, joins the new one (its last page).
    void SetPageControl(TskPageControl* pageControl);
    int PageIndex() const { return m_pageIndex; }
    /// Moves the page to position i of its control (an invalid i changes nothing).
    void SetPageIndex(int i);
    QString Caption() const { return m_caption; }
    /// Stores, rebuilds the tab texts.
    void SetCaption(const QString& caption);
    bool TabVisible() const { return m_tabVisible; }
    /// Shows or hides the page's tab; activation moves as the page control says.
    void SetTabVisible(bool visible);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    void ApplyContainerStyle(TskUIStyle) override {}
    void ApplySubContainerStyle(TskUIStyle style) override { ContainerApplyUIStyle(this, style); }

signals:
    void OnShow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TskPageControl;
    TskPageControl* m_pageControl = nullptr;  // the parent while set
    int m_pageIndex = -1;
    QString m_caption;
    bool m_tabVisible = true;
    TColor m_borderColor = clBlack;
    TColor m_color = clBtnFace;
};

class TskPageControl : public TskTab {
    Q_OBJECT
    Q_PROPERTY(int PageCount READ PageCount)
public:
    explicit TskPageControl(QWidget* parent = nullptr);
    /// Detaches every page first: they are deleted as children afterwards.
    ~TskPageControl() override;

    int PageCount() const { return int(m_pages.size()); }
    /// Page i; null outside 0..count - 1.
    TskTabSheet* GetPage(int i) const;
    TskTabSheet* ActivePage() const { return m_activePage; }
    /// Activates the page when it is one of this control's.
    void SetActivePage(TskTabSheet* page);
    /// The active page's index, 0 when none.
    int ActivePageIndex() const;
    /// Activates page i; an invalid index is ignored.
    void SetActivePageIndex(int i);
    /// A new last page named "skTabSheet<n>" (n the page count + 1, or the
    /// next number no page carries), its caption its name; it becomes active.
    TskTabSheet* NewPage();
    /// Activates the next (or previous) page whose tab shows, wrapping round.
    void SelectNextPage(bool forward);
    /// Activation of page i: its tab, the page in front, OnShow and OnTabActive once.
    /// An invalid index leaves no page active.
    void ActivatePage(int i);
    void ActivatePage(TskTabSheet* page);
    /// The first page after i (or before, going backwards) whose tab shows, wrapping; -1 for none.
    int NextVisiblePage(int i, bool forward) const;
    void SetColor(TColor color) override;

    void TabActive(int index) override;

protected:
    void BorderColorChanged() override;
    void UpdateUIStyle(TskUIStyle style) override;
    void LayoutChildren() override;

private:
    friend class TskTabSheet;
    void InsertPage(TskTabSheet& page);
    void RemovePage(TskTabSheet& page);
    void MovePage(TskTabSheet& page, int to);
    void PageTabVisibleChanged(TskTabSheet& page);
    void Renumber();
    void RebuildTabs();

    std::vector<TskTabSheet*> m_pages;  // children; each removes itself when deleted
    TskTabSheet* m_activePage = nullptr;
};
