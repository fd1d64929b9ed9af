#pragma once
// A panel that shows a picture (unscaled, stretched or tiled) with an
// optional caption; with Transparent the parent shows around and through it.
// Base of the group box; the track bar's slider is one.

#include "skin/control_align.h"
#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QImage>
#include <QString>
#include <QWidget>

enum class TskDrawStyle : std::uint8_t { skNormal = 0, skStretch = 1, skTile = 2 };

class TskCustomPanel : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TskDrawStyle DrawStyle READ DrawStyle WRITE SetDrawStyle)
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
public:
    /// GUI thread. No picture, opaque, in the system button-face colour.
    explicit TskCustomPanel(QWidget* parent = nullptr);

    const QImage& Picture() const { return m_picture; }
    /// Copies the picture, sizes (AutoSize), repaints.
    void SetPicture(const QImage& picture);
    bool Transparent() const { return m_transparent; }
    /// Stores; a transparent panel paints no background of its own and
    /// leaves the picture's magenta pixels out.
    void SetTransparent(bool on);
    bool AutoSize() const { return m_autoSize; }
    /// Stores; sizes the panel to its picture when switched on.
    void SetAutoSize(bool on);
    int CaptionPosX() const { return m_captionPosX; }
    /// Stores (-1: automatic placement), repaints.
    void SetCaptionPosX(int x);
    int CaptionPosY() const { return m_captionPosY; }
    /// Stores (-1: automatic placement), repaints.
    void SetCaptionPosY(int y);
    TskDrawStyle DrawStyle() const { return m_drawStyle; }
    /// Stores, repaints.
    void SetDrawStyle(TskDrawStyle style);
    TAlign Align() const { return m_align; }
    /// Stores the docking; AutoSize keeps the dimension it fixes.
    void SetAlign(TAlign align);
    QString Caption() const { return m_caption; }
    /// Stores the panel text, repaints.
    void SetCaption(const QString& caption);
    Qt::Alignment Alignment() const { return m_alignment; }
    /// Horizontal placement of an automatically placed caption, repaints.
    void SetAlignment(Qt::Alignment alignment);
    TColor Color() const { return m_color; }
    /// Stores the background colour (children that follow the parent's colour take it), repaints.
    void SetColor(TColor color);
    TColor FontColor() const { return m_fontColor; }
    /// Stores the caption colour, repaints.
    void SetFontColor(TColor color);
    /// Whether the picture is drawn with its magenta pixels left out.
    bool PictureTransparent() const { return m_pictureTransparent; }

    /// Restyles the controls directly inside.
    virtual void UpdateUIStyle(TskUIStyle style);

    /// Panels have no look of their own.
    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    /// A container sweep leaves a panel as it is.
    void ApplyContainerStyle(TskUIStyle) override {}

protected:
    virtual void PictureChanged();
    virtual void RepaintText(const QRect&) {}
    /// Background, picture and panel caption.
    void PaintPanel(QPainter& canvas);
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyAutoSize();
    void ApplyTransparent();

    QImage m_picture;
    QImage m_pictureKeyed;  // magenta left out, prepared with the picture
    bool m_pictureTransparent = false;
    bool m_transparent = false;
    bool m_autoSize = false;
    int m_captionPosX = -1;
    int m_captionPosY = -1;
    TskDrawStyle m_drawStyle = TskDrawStyle::skNormal;
    TAlign m_align = TAlign::alNone;
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
};

class TskImagePanel : public TskCustomPanel {
    Q_OBJECT
public:
    /// GUI thread. As the base panel.
    explicit TskImagePanel(QWidget* parent = nullptr) : TskCustomPanel(parent) {}

    /// Restyles the controls directly inside.
    void ApplySubContainerStyle(TskUIStyle style) override { UpdateUIStyle(style); }
};
