#pragma once
// The skinned one-line edit: Qt's line edit without its native frame, framed
// instead by a one-pixel BorderColor ring and a ring in the background colour.

#include "skin/themes.h"

#include <QLineEdit>

class TskEdit : public QLineEdit, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    /// GUI thread. White background, BorderColor from the frame of parent's form (black without one).
    explicit TskEdit(QWidget* parent = nullptr);

    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints.
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    /// Background colour (clMoneyGreen for the read-only fields); stores, repaints.
    void SetColor(TColor color);
    /// The text. Setting it from code raises no OnChange.
    QString Text() const { return text(); }
    /// Stores the text without raising OnChange.
    void SetText(const QString& text) { setText(text); }

    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    /// A built-in look gives BorderColor its theme colour 8.
    void ApplyContainerStyle(TskUIStyle style) override;

signals:
    /// The user changed the text.
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor m_borderColor = clBlack;
    TColor m_color = clWindow;
};
