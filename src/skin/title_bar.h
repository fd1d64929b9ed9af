#pragma once
// The caption bar of a skinned form: picture sections (left cap, stretched
// middle, right cap), title buttons, the caption, and what a window caption
// does (drag to move, double click to maximise, round top corners).

#include "skin/skin_drawing.h"
#include "skin/themes.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class TskTitleBar;

enum class TskTitleBarBtnType : std::uint8_t { skMax = 0, skMin = 1, skClose = 2, skHelp = 3, skControlBox = 4, skCustom = 5 };
enum class TskTitleBarAlign : std::uint8_t { skLeft = 0, skRight = 1, skClient = 2 };

/// Shows an error message to the operator (a modal box by default); tests
/// replace it to read the text.
using TskErrorBox = std::function<void(QWidget* parent, const QString& text)>;
/// GUI thread. The default error box: a critical message box with an OK button.
void ShowSkinErrorBox(QWidget* parent, const QString& text);
/// The rectangle with its two top corners rounded by an ellipse `radius`
/// pixels across (the bottom corners stay square); r itself for radius <= 0.
QRegion TopRoundedRegion(const QRect& r, int radius);

class TskTitleBarSections;
class TskTitleBarButtons;

class TskTitleBarSection {
public:
    int Width() const { return m_width; }
    /// Stores, repaints the bar.
    void SetWidth(int width);
    TskTitleBarAlign Align() const { return m_align; }
    /// Stores (skClient also makes the section Stretch), repaints. A second
    /// skClient section in the collection is refused with an error box.
    void SetAlign(TskTitleBarAlign align);
    const QImage& Picture() const { return m_picture; }
    /// Copies; with AutoSize the width follows the picture. Repaints.
    void SetPicture(const QImage& picture);
    bool Stretch() const { return m_stretch; }
    /// Stores, repaints.
    void SetStretch(bool on);
    bool AutoSize() const { return m_autoSize; }
    /// Stores; with a picture the width becomes the picture's. Repaints.
    void SetAutoSize(bool on);
    /// Copies every published field (the picture by copy).
    void Assign(const TskTitleBarSection& other);

private:
    friend class TskTitleBarSections;
    explicit TskTitleBarSection(TskTitleBarSections& owner) : m_owner(&owner) {}
    void Changed();

    TskTitleBarSections* m_owner;  // not owned: the collection that holds this item
    int m_width = 10;
    TskTitleBarAlign m_align = TskTitleBarAlign::skLeft;
    QImage m_picture;
    bool m_stretch = false;
    bool m_autoSize = false;
};

class TskTitleBarSections {
public:
    explicit TskTitleBarSections(TskTitleBar& bar) : m_bar(&bar) {}
    TskTitleBarSections(const TskTitleBarSections&) = delete;
    TskTitleBarSections& operator=(const TskTitleBarSections&) = delete;

    /// Appends a default section, repaints the bar.
    TskTitleBarSection& Add();
    int Count() const { return int(m_items.size()); }
    TskTitleBarSection& Item(int index) { return *m_items.at(std::size_t(index)); }
    const TskTitleBarSection& Item(int index) const { return *m_items.at(std::size_t(index)); }
    /// Removes every section, repaints the bar.
    void Clear();
    /// Replaces the items by copies of other's.
    void Assign(const TskTitleBarSections& other);
    /// Repaints the bar (every item change ends here).
    void Update();
    TskTitleBar& TitleBar() const { return *m_bar; }

private:
    TskTitleBar* m_bar;  // not owned: the bar owns this collection
    std::vector<std::unique_ptr<TskTitleBarSection>> m_items;
};

/// The three state pictures of a title button.
enum class TskTitleBtnState : std::uint8_t { Normal = 0, MouseOn = 1, MouseDown = 2 };

class TskTitleBarButton {
public:
    TskTitleBarBtnType ButtonType() const { return m_type; }
    /// A second skControlBox in the collection is refused with an error box;
    /// otherwise stores, reloads the theme pictures, repaints.
    void SetButtonType(TskTitleBarBtnType type);
    bool Transparent() const { return m_transparent; }
    /// Stores (the top-left colour of the pictures is then left out), repaints.
    void SetTransparent(bool on);
    int Top() const { return m_top; }
    /// Stores, repaints.
    void SetTop(int top);
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores, reloads the theme pictures (none for Custom).
    void SetUIStyle(TskUIStyle style);
    /// The picture of a state as stored.
    const QImage& Picture(TskTitleBtnState state) const { return m_pictures[int(state)]; }
    /// The picture of a state as drawn (keyed when Transparent).
    const QImage& DrawnPicture(TskTitleBtnState state) const;
    /// Copies the picture of a state, repaints.
    void SetPicture(TskTitleBtnState state, const QImage& picture);
    QMenu* ControlBoxMenu() const { return m_controlBoxMenu; }
    /// Stores a non-owning reference to the menu a control box pops up.
    void SetControlBoxMenu(QMenu* menu) { m_controlBoxMenu = menu; }
    /// Loads the theme pictures, Transparent and Top of the button's look;
    /// a maximise button takes the restore pictures while the form is maximised.
    void UpdateUIStyle();
    /// The button's action on its bar's form (maximise/restore, minimise,
    /// close, control-box menu); nothing for help and custom buttons.
    void DoClick();
    /// Copies every published field (pictures by copy).
    void Assign(const TskTitleBarButton& other);

private:
    friend class TskTitleBarButtons;
    explicit TskTitleBarButton(TskTitleBarButtons& owner) : m_owner(&owner) {}
    void Changed();

    TskTitleBarButtons* m_owner;  // not owned: the collection that holds this item
    TskTitleBarBtnType m_type = TskTitleBarBtnType::skCustom;
    bool m_transparent = false;
    int m_top = 2;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    QImage m_pictures[3];
    QImage m_keyed[3];  // prepared when a picture changes, not while painting
    QPointer<QMenu> m_controlBoxMenu;
};

class TskTitleBarButtons {
public:
    explicit TskTitleBarButtons(TskTitleBar& bar) : m_bar(&bar) {}
    TskTitleBarButtons(const TskTitleBarButtons&) = delete;
    TskTitleBarButtons& operator=(const TskTitleBarButtons&) = delete;

    /// Appends a default (skCustom) button, repaints the bar.
    TskTitleBarButton& Add();
    /// Appends a button of that type in the bar's look; null when refused
    /// (a second control box).
    TskTitleBarButton* Add(TskTitleBarBtnType type);
    int Count() const { return int(m_items.size()); }
    TskTitleBarButton& Item(int index) { return *m_items.at(std::size_t(index)); }
    const TskTitleBarButton& Item(int index) const { return *m_items.at(std::size_t(index)); }
    /// Index of the first button of that type, -1 for none.
    int IndexOf(TskTitleBarBtnType type) const;
    /// Removes every button, repaints the bar.
    void Clear();
    /// Replaces the items by copies of other's.
    void Assign(const TskTitleBarButtons& other);
    /// Repaints the bar.
    void Update();
    TskTitleBar& TitleBar() const { return *m_bar; }

private:
    TskTitleBar* m_bar;  // not owned: the bar owns this collection
    std::vector<std::unique_ptr<TskTitleBarButton>> m_items;
};

/// Where the bar's pieces go for a given width.
struct TitleBarLayout {
    std::vector<QRect> sections;  // per section, empty when skipped or for an unused skClient
    std::vector<QRect> buttons;   // per button, the normal picture's rectangle
    QRect appIcon;                // the program icon in place of the control box
    int captionLeft = 0;          // X0
    int captionRight = 0;         // X: left edge of the leftmost right-hand button
};

class TskTitleBar : public QWidget {
    Q_OBJECT
public:
    explicit TskTitleBar(QWidget* parent = nullptr);
    ~TskTitleBar() override;

    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Rebuilds the sections from the theme (none for Custom), sets offsets,
    /// the form's minimum width, the corner radius and every button's look.
    void SetUIStyle(TskUIStyle style);
    TskTitleBarSections& Sections() { return m_sections; }
    const TskTitleBarSections& Sections() const { return m_sections; }
    /// Copies the sections.
    void SetSections(const TskTitleBarSections& sections) { m_sections.Assign(sections); }
    TskTitleBarButtons& Buttons() { return m_buttons; }
    const TskTitleBarButtons& Buttons() const { return m_buttons; }
    /// Copies the buttons.
    void SetButtons(const TskTitleBarButtons& buttons) { m_buttons.Assign(buttons); }
    bool AutoSize() const { return m_autoSize; }
    /// Height from the first section's picture; stays off without sections.
    void SetAutoSize(bool on);
    int ButtonInterval() const { return m_buttonInterval; }
    /// Stores, repaints.
    void SetButtonInterval(int pixels);
    QString Caption() const { return m_caption; }
    /// Stores, repaints.
    void SetCaption(const QString& caption);
    bool FormActive() const { return m_formActive; }
    /// Stores, repaints (an inactive bar dims its caption, as far as it still reads).
    void SetActive(bool active);
    int LeftBtnXOffset() const { return m_leftBtnXOffset; }
    /// Stores, repaints.
    void SetLeftBtnXOffset(int x);
    int RightBtnXOffset() const { return m_rightBtnXOffset; }
    /// Stores, repaints.
    void SetRightBtnXOffset(int x);
    bool DrawAppIcon() const { return m_drawAppIcon; }
    /// Stores, repaints.
    void SetDrawAppIcon(bool on);
    int RoundCornerRadius() const { return m_roundCornerRadius; }
    /// Index of the button under the pointer, -1 for none.
    int HoveredButton() const { return m_hovered; }
    /// The left button is held on the bar.
    bool MouseIsDown() const { return m_mouseDown; }

    /// The window the bar's buttons act on: the frame's host, else window().
    QWidget* Form() const;
    /// Where sections, buttons and caption go at `width`.
    TitleBarLayout Layout(int width) const;
    /// The caption as drawn in `room` pixels: whole, or its first two
    /// characters and "..." when too wide.
    QString FittedCaption(int room) const;
    /// Applies the round top corners of `radius` to the frame's host (a mask;
    /// none for radius 0).
    void SetFormRoundCorner(int radius);
    /// Re-applies the corner radius when the bar sits in a frame.
    void OnFormReSize();
    /// Reloads the maximise buttons' pictures for the form's window state.
    void ProcessMaxBtn();
    /// Replaces the error box (refused sections and buttons).
    void SetErrorBox(TskErrorBox box) { m_errorBox = std::move(box); }
    /// GUI thread. Shows `text` through the error box.
    void ShowError(const QString& text) const;

signals:
    void OnCustomBtnsClick(TskTitleBar* sender, int buttonIndex);
    void OnHelpBtnClick(TskTitleBar* sender, int buttonIndex);

protected:
    virtual void DrawSectionsTo(QPainter& canvas, const TitleBarLayout& layout);
    virtual void DrawButtons(QPainter& canvas, const TitleBarLayout& layout);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    /// The caption's colour over what the bar shows inside `box`: the look's
    /// own colour (grey when inactive) where it reaches the least contrast
    /// against every pixel there, else the nearest colour that does.
    QColor CaptionColour(const TitleBarLayout& layout, const QRect& box);
    /// The frame's colour, then the sections.
    void PaintBackground(QPainter& canvas, const TitleBarLayout& layout);
    int ButtonAt(QPoint p) const;
    void SetHovered(int index);
    void EndMove();

    TskUIStyle m_uiStyle = TskUIStyle::Navy;
    TskTitleBarSections m_sections{*this};
    TskTitleBarButtons m_buttons{*this};
    bool m_autoSize = false;
    int m_buttonInterval = 0;
    QString m_caption;
    bool m_formActive = true;
    int m_leftBtnXOffset = 0;
    int m_rightBtnXOffset = 0;
    int m_roundCornerRadius = 0;
    bool m_drawAppIcon = false;
    bool m_mouseDown = false;
    int m_hovered = -1;
    int m_pressed = -1;  // the button the press began on: only its release clicks it
    // Window move: armed by a press on free space, started after the drag
    // distance so that a double click still reaches the bar.
    bool m_moveArmed = false;
    bool m_manualMove = false;
    QPoint m_pressGlobal;
    QPoint m_formStart;
    TskErrorBox m_errorBox = ShowSkinErrorBox;
};
