#pragma once
// The skinned group box: a one-pixel frame in BorderColor with the caption
// set into its top line; enabling and restyling pass on to the controls inside.

#include "skin/image_panel.h"

class TskCustomGroupBox : public TskCustomPanel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
public:
    /// 185 x 105, transparent, border and caption colours of the parent form's look.
    explicit TskCustomGroupBox(QWidget* parent = nullptr);

    QString Caption() const { return m_groupCaption; }
    /// Stores the caption drawn in the frame, repaints.
    void SetCaption(const QString& caption);
    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints.
    void SetBorderColor(TColor color);
    /// Enables or disables the box and sets every control directly inside to
    /// the same value (re-enabling includes one disabled on its own).
    void SetEnabled(bool enabled);
    /// Where a radio group places its item buttons: inside the frame, below the caption.
    QRect GetClient() const;
    /// The y of the frame's top line.
    int FrameTop() const;

    /// Restyles the controls directly inside.
    void UpdateUIStyle(TskUIStyle style) override;
    /// Restyles the controls directly inside.
    void ApplySubContainerStyle(TskUIStyle style) override { UpdateUIStyle(style); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_groupCaption;
    TColor m_borderColor = clBlack;
};

class TskGroupBox : public TskCustomGroupBox {
    Q_OBJECT
public:
    /// GUI thread. As the base group box.
    explicit TskGroupBox(QWidget* parent = nullptr) : TskCustomGroupBox(parent) {}

    /// Takes the theme's border, caption and background colours.
    void ApplyContainerStyle(TskUIStyle style) override;
};
