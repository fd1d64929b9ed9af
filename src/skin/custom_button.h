#pragma once
// Base of the owner-drawn push buttons, check boxes and radio buttons: state
// pictures, caption, hover/press tracking, the held-button repeat and the
// click protocol (the modal result goes to the form first, then OnClick).

#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

/// A state picture as loaded, with the variants the painters need prepared
/// once (when the picture changes), never in a paint handler.
struct FacePicture {
    QImage plain;  // as loaded (null when there is none)
    QImage keyed;  // pixels of the top-left colour made transparent

    bool IsNull() const { return plain.isNull(); }
    /// GUI thread. The variant for a draw keyed by the top-left pixel or not,
    /// greyed or not. The greyed ones are made at the first greyed draw and
    /// shared by every copy of this face.
    const QImage& Pick(bool keyedByCorner, bool greyed) const;

private:
    friend FacePicture MakeFacePicture(const QImage& picture);
    struct Greyed {
        bool made = false;
        QImage plain, keyed;
    };
    std::shared_ptr<Greyed> greyed_;
};

/// Builds a face of `picture` (a null picture gives a null face).
FacePicture MakeFacePicture(const QImage& picture);
/// A greyed copy (disabled look) that keeps the alpha channel.
QImage GreyedImage(const QImage& picture);
/// The caption without characters below 33 at either end.
QString TrimControlChars(const QString& text);
/// The character after the first single "&" of a caption ("&&" is a plain
/// ampersand); null when there is none.
QChar AcceleratorChar(const QString& caption);
/// The pixel size of the font's em height (|font height| in the layout rules).
int FontPixelHeight(const QFont& font);

class TskCustomButton : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(int MouseContinuouslyDownInterval READ MouseContinuouslyDownInterval WRITE SetMouseContinuouslyDownInterval)
public:
    /// GUI thread. No pictures, no look (Custom), not a tab stop.
    explicit TskCustomButton(QWidget* parent = nullptr);
    ~TskCustomButton() override;

    /// The text drawn on the control ("&" marks the accelerator).
    QString Caption() const { return m_caption; }
    /// Stores, adjusts the size where the class sizes itself, repaints.
    void SetCaption(const QString& caption);
    bool AutoSize() const { return m_autoSize; }
    /// Stores and sizes the control from its picture when switched on.
    void SetAutoSize(bool on);
    bool Transparent() const { return m_transparent; }
    /// Stores; a transparent control lets its parent show around the picture.
    void SetTransparent(bool on);
    bool TabStop() const { return m_tabStop; }
    /// Stores; only a tab stop takes focus from the keyboard.
    void SetTabStop(bool on);
    bool Default() const { return m_default; }
    /// Stores; Enter anywhere in the form then clicks the button.
    void SetDefault(bool on);
    bool Cancel() const { return m_cancel; }
    /// Stores; Esc anywhere in the form then clicks the button.
    void SetCancel(bool on);
    int ModalResult() const { return m_modalResult; }
    /// Stores the value handed to the form on every click.
    void SetModalResult(int result) { m_modalResult = result; }
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Takes the look: theme pictures, style reactions, repaint.
    void SetUIStyle(TskUIStyle style);
    int MouseContinuouslyDownInterval() const { return m_repeatInterval; }
    /// Milliseconds between OnMouseContinuouslyDown calls while held (below 0 counts as 0).
    void SetMouseContinuouslyDownInterval(int ms) { m_repeatInterval = ms; }
    /// The background colour (inherited from the parent unless set).
    TColor Color() const;
    /// Sets the background colour, repaints.
    void SetColor(TColor color);
    /// The caption colour.
    TColor FontColor() const;
    /// Sets the caption colour, repaints.
    void SetFontColor(TColor color);

    /// Picture name of the normal state; stores, sizes (AutoSize), repaints.
    virtual void SetPicNormal(const QString& name);
    /// Picture name of the hover state; stores, repaints.
    virtual void SetPicMouseOn(const QString& name);
    /// Picture name of the pressed state; stores, repaints.
    virtual void SetPicMouseDown(const QString& name);
    /// The stored picture name of the normal state.
    virtual QString GetPicNormal() const { return m_picNormalName; }
    /// The stored picture name of the hover state.
    virtual QString GetPicMouseOn() const { return m_picMouseOnName; }
    /// The stored picture name of the pressed state.
    virtual QString GetPicMouseDown() const { return m_picMouseDownName; }

    /// The pointer is over the control.
    bool MouseOn() const { return m_mouseOn; }
    /// The left button (or Space/Enter) is held on the control.
    bool MouseDown() const { return m_mouseDown; }
    /// True while the held-button repeat runs.
    bool RepeatActive() const { return m_repeatTimer.isActive(); }
    /// Whether the state picture is drawn with its top-left colour left out.
    bool PicTransparent() const { return m_picTransparent; }

    /// One activation: the form at the top of the parent chain gets
    /// ModalResult (0 included), then OnClick; a modally running dialog whose
    /// result is then non-zero closes.
    virtual void Click();

    /// The control's own look.
    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    /// Only the classes the container sweep names take its look.
    void ApplyContainerStyle(TskUIStyle style) override {}

signals:
    /// A user activation (mouse, key, accelerator, Default/Cancel key); never
    /// raised by setting a property from code.
    void OnClick();
    void OnMouseEnter();
    void OnMouseExit();
    /// Raised every MouseContinuouslyDownInterval ms while the left button is held.
    void OnMouseContinuouslyDown();

protected:
    virtual void AutoSizeChanged();
    virtual void CaptionChanged() {}
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnableChanged() {}
    virtual void UIStyleChanged();
    /// Chooses the picture names of the look.
    virtual void SetButtonPic(TskUIStyle style) = 0;

    virtual const FacePicture& PaintButtonNormal() const { return m_picNormal; }
    virtual const FacePicture& PaintButtonMouseOn() const { return m_picMouseOn; }
    virtual const FacePicture& PaintButtonMouseDown() const { return m_picMouseDown; }
    /// The disabled look draws the normal picture.
    virtual const FacePicture& PaintButtonDisabled() const { return m_picNormal; }
    virtual void PaintPic(QPainter& canvas, const FacePicture& picture);
    virtual void PaintText(QPainter& canvas, const QString& caption);
    virtual void PaintFocus(QPainter& canvas);

    /// Draws the caption at `rect` with the disabled (white, then grey) or
    /// normal look; `flags` are Qt alignment and text flags.
    void DrawCaptionText(QPainter& canvas, const QRect& rect, int flags, const QString& caption) const;
    /// A dotted focus frame over the pixels of the rectangle.
    static void DrawFocusFrame(QPainter& canvas, const QRect& rect);
    void SetPicTransparentFlag(bool on) { m_picTransparent = on; }

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StopRepeat();
    void UpdateAccelerator();
    void UpdateDialogKeyFilter();

    QString m_picNormalName;
    QString m_picMouseDownName;
    QString m_picMouseOnName;
    FacePicture m_picNormal;
    FacePicture m_picMouseOn;
    FacePicture m_picMouseDown;
    QString m_caption;
    bool m_autoSize = false;
    bool m_tabStop = false;
    bool m_cancel = false;
    bool m_default = false;
    bool m_transparent = false;
    int m_modalResult = 0;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    bool m_picTransparent = false;
    QTimer m_repeatTimer;
    int m_repeatInterval = 100;
    bool m_mouseOn = false;
    bool m_mouseDown = false;
    bool m_leftHeld = false;  // a left press began here: its release over the control clicks
    int m_acceleratorId = 0;
    QPointer<QWidget> m_keyWindow;  // the window whose Enter/Esc and plain letters this button watches
};
