#pragma once
// The skinned tool bar: a row of tool buttons drawn as coloured rectangles
// with the images of an image list. Check-style buttons stay down until
// clicked again; adjacent grouped check buttons hold at most one down.

#include "skin/skin_color.h"
#include "skin/themes.h"
#include "skin/tool_image_list.h"

#include <QAbstractButton>
#include <QWidget>

#include <cstdint>
#include <vector>

class TskToolBar;

enum class TToolButtonStyle : std::uint8_t { tbsButton = 0, tbsCheck = 1, tbsDropDown = 2, tbsSeparator = 3, tbsDivider = 4 };

class TskToolButton : public QAbstractButton {
    Q_OBJECT
public:
    /// GUI thread. Buttons are made by TskToolBar::AddButton.
    TskToolButton(TskToolBar* bar, TToolButtonStyle style);

    TToolButtonStyle Style() const { return m_style; }
    /// Stores; the bar lays its buttons out again.
    void SetStyle(TToolButtonStyle style);
    /// The down state: a check button that is switched on (or any button held down from code).
    bool Down() const { return m_down; }
    /// Sets the down state from code: no OnClick; a grouped check button
    /// going down releases the others of its group.
    void SetDown(bool down);
    bool Grouped() const { return m_grouped; }
    /// Stores; adjacent grouped check buttons form a group.
    void SetGrouped(bool grouped) { m_grouped = grouped; }
    bool AllowAllUp() const { return m_allowAllUp; }
    /// Stores; when false, clicking the down button of a group leaves it down.
    void SetAllowAllUp(bool allow) { m_allowAllUp = allow; }
    int ImageIndex() const { return m_imageIndex; }
    /// Stores the index into the bar's image list (-1: none), repaints.
    void SetImageIndex(int index);
    QString Caption() const { return text(); }
    /// Stores the caption (drawn when the bar shows captions), repaints.
    void SetCaption(const QString& caption);
    /// The pointer is over the button.
    bool Hot() const { return m_hot; }
    /// The left button is held on the button.
    bool Pressed() const { return isDown(); }

    QSize sizeHint() const override { return size(); }

signals:
    /// A user click, after the down state has followed it; never raised from code.
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Clicked();
    bool IsGroupedCheck() const { return m_grouped && m_style == TToolButtonStyle::tbsCheck; }

    TskToolBar* m_bar;
    TToolButtonStyle m_style;
    bool m_down = false;
    bool m_grouped = false;
    bool m_allowAllUp = false;
    int m_imageIndex = -1;
    bool m_hot = false;

    friend class TskToolBar;
};

class TskToolBar : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(TColor ButtonBorderColor READ ButtonBorderColor WRITE SetButtonBorderColor)
    Q_PROPERTY(TColor ButtonDownColor READ ButtonDownColor WRITE SetButtonDownColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool ShowCaptions READ ShowCaptions WRITE SetShowCaptions)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight)
public:
    /// Width of a separator or divider.
    static constexpr int kSeparatorWidth = 8;

    /// GUI thread. Flat, opaque, buttons 23 x 22, in the look of the parent's
    /// form (Navy without a skinned frame).
    explicit TskToolBar(QWidget* parent = nullptr);
    ~TskToolBar() override;

    /// Appends a button (owned by the bar) and lays the row out again.
    TskToolButton* AddButton(TToolButtonStyle style = TToolButtonStyle::tbsButton, int imageIndex = -1);
    int ButtonCount() const { return int(m_buttons.size()); }
    /// The button at index, left to right; null outside the row.
    TskToolButton* Buttons(int index) const;

    int ButtonWidth() const { return m_buttonWidth; }
    /// Width of every button but separators; lays out again.
    void SetButtonWidth(int width);
    int ButtonHeight() const { return m_buttonHeight; }
    /// Height of every button; lays out again.
    void SetButtonHeight(int height);
    bool ShowCaptions() const { return m_showCaptions; }
    /// Stores, repaints.
    void SetShowCaptions(bool show);
    bool Flat() const { return m_flat; }
    /// Stores (the buttons are always drawn flat by the bar).
    void SetFlat(bool flat) { m_flat = flat; }
    const ToolImageList& Images() const { return m_images; }
    /// Copies the image list, repaints.
    void SetImages(const ToolImageList& images);
    const ToolImageList& HotImages() const { return m_hotImages; }
    /// Copies the list drawn in place of Images while it holds any image, repaints.
    void SetHotImages(const ToolImageList& images);

    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// A built-in look takes the colours 80..83; only Pearl is transparent.
    void SetUIStyle(TskUIStyle style);
    TColor ButtonColor() const { return m_buttonColor; }
    /// Stores the fill of hot and checked buttons, repaints.
    void SetButtonColor(TColor color);
    TColor ButtonBorderColor() const { return m_buttonBorderColor; }
    /// Stores the colour of the frame of hot, checked and pressed buttons, repaints.
    void SetButtonBorderColor(TColor color);
    TColor ButtonDownColor() const { return m_buttonDownColor; }
    /// Stores the fill of pressed buttons, repaints.
    void SetButtonDownColor(TColor color);
    TColor Color() const { return m_color; }
    /// Stores the fill of the bar, repaints.
    void SetColor(TColor color);
    bool Transparent() const { return m_transparent; }
    /// Stores; a transparent bar lets its parent show through.
    void SetTransparent(bool on);

    /// GUI thread. Paints one button in its state (used by the button's paint event).
    void DrawButton(QPainter& canvas, const TskToolButton& button) const;

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutButtons();
    void ReleaseGroupOf(const TskToolButton& button);
    void DrawHotButton(QPainter& canvas, const TskToolButton& button, const ToolImageList& images) const;
    void DrawDownButton(QPainter& canvas, const TskToolButton& button, const ToolImageList& images) const;
    void DrawDefaultButton(QPainter& canvas, const TskToolButton& button, const ToolImageList& images) const;
    void DrawCaption(QPainter& canvas, const TskToolButton& button, int top) const;

    std::vector<TskToolButton*> m_buttons;  // children of the bar, owned by Qt's parent chain
    ToolImageList m_images;
    ToolImageList m_hotImages;
    int m_buttonWidth = 23;
    int m_buttonHeight = 22;
    bool m_showCaptions = false;
    bool m_flat = true;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    TColor m_buttonColor = clBtnFace;
    TColor m_buttonBorderColor = clBtnShadow;
    TColor m_buttonDownColor = clBtnShadow;
    TColor m_color = clBtnFace;
    bool m_transparent = false;

    friend class TskToolButton;
};
