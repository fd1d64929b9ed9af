#pragma once
// The skinned progress bar: a 12-pixel thick bar filled with a theme picture
// in proportion to Position between Min and Max, captioned with the percentage.

#include "skin/progress_bar_orientation.h"
#include "skin/themes.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>

class TskProgressBar : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor CaptionColor READ CaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(bool ShowCaption READ ShowCaption WRITE SetShowCaption)
    Q_PROPERTY(bool SmartShowCaption READ SmartShowCaption WRITE SetSmartShowCaption)

public:
    static constexpr int kThickness = 12;

    /// GUI thread. 150 x 12, Min 0, Max 100, Position 50, in the look of the
    /// parent's form (Navy without a skinned frame).
    explicit TskProgressBar(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    /// Stores the value unclamped and updates the caption.
    void SetMin(int value);
    /// Stores the value unclamped and updates the caption.
    void SetMax(int value);
    /// Stores the value unclamped and updates the caption.
    void SetPosition(int value);
    /// Position + 1.
    void StepIt();
    /// Position + n.
    void StepBy(int n);

    TskUIStyle UIStyle() const { return style_; }
    /// A built-in look loads its fill picture and its Color and BorderColor;
    /// Custom keeps the user's picture and colours.
    void SetUIStyle(TskUIStyle style);

    TskProgressBarOrientation Orientation() const { return orientation_; }
    /// Turns the bar: its longer side stays its length, the other becomes 12.
    void SetOrientation(TskProgressBarOrientation orientation);

    TColor BorderColor() const { return borderColor_; }
    /// Stores the frame colour, repaints.
    void SetBorderColor(TColor c);
    TColor Color() const { return color_; }
    /// Stores the colour of the unfilled part, repaints.
    void SetColor(TColor c);
    TColor CaptionColor() const { return captionColor_; }
    /// Stores, repaints.
    void SetCaptionColor(TColor c);
    bool ShowCaption() const { return showCaption_; }
    /// Stores, repaints (painting a vertical bar switches it off).
    void SetShowCaption(bool show);
    bool SmartShowCaption() const { return smartShowCaption_; }
    /// Stores; when set, no caption while Position equals Min. Repaints.
    void SetSmartShowCaption(bool smart);
    const QImage& Picture() const { return picture_; }
    /// Copies the picture and repaints.
    void SetPicture(const QImage& picture);

    /// The caption: the percentage and "%" ("50%").
    const QString& Caption() const { return caption_; }

    /// (position - min) x 100 / (max - min) truncated towards zero; 0 when max equals min.
    static std::int64_t Percentage(int min, int max, int position);
    /// The filled part of a bar of full length `length`: 0 when max <= min or
    /// position <= min, `length` past max, otherwise in proportion, truncated.
    static int FilledLength(int min, int max, int position, int length);

    TskUIStyle UIStyleOf() const override { return style_; }
    /// Takes the look unless its own is Custom.
    void ApplyContainerStyle(TskUIStyle style) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ValueChanged();
    void LoadThemePicture();
    /// The bar without its frame, in a bitmap as high (wide) as the picture + 2.
    QImage RenderBar();
    /// Writes the caption into the horizontal bar's bitmap, whose fill ends at fillEnd.
    void DrawCaption(QImage& bitmap, int fillEnd) const;

    int max_ = 100;
    int min_ = 0;
    int position_ = 50;
    TskUIStyle style_ = TskUIStyle::Custom;
    TskProgressBarOrientation orientation_ = TskProgressBarOrientation::skHorizontal;
    TColor borderColor_ = clBlack;
    TColor color_ = clBtnFace;
    QImage picture_;
    bool showCaption_ = true;
    TColor captionColor_ = clBlack;
    bool smartShowCaption_ = false;
    QString caption_;
};
