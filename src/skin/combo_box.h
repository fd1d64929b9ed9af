#pragma once
// The skinned drop-down list: Qt's combo box painted flat, with a button in
// ButtonColor (a picture in the Pearl look), a small arrow in ArrowColor and
// a one-pixel BorderColor frame.

#include "skin/skin_drawing.h"
#include "skin/themes.h"

#include <QComboBox>
#include <QImage>
#include <QStringList>

/// The drop-down button of the skinned combo boxes: a picture in the Pearl
/// look (when given), else ButtonColor, with a small arrow (grey and
/// embossed when disabled).
struct ComboDropButtonLook {
    TColor buttonColor = clBtnFace;
    TColor arrowColor = clBlack;
    QImage pearlButton;  // only in the Pearl look
};
void DrawComboDropButton(QPainter& canvas, const VclRect& b, const ComboDropButtonLook& look, bool enabled);
/// The look's drop-button colours (theme colours 74 and 8) and Pearl picture.
ComboDropButtonLook ComboDropButtonLookOf(TskUIStyle style);

class TskCustomComboBox : public QComboBox, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(TColor ArrowColor READ ArrowColor WRITE SetArrowColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    /// GUI thread. A drop-down list (no typing) in the look of parent's form.
    explicit TskCustomComboBox(QWidget* parent = nullptr);

    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores the look; a built-in look gives ButtonColor its theme colour 74
    /// and ArrowColor and BorderColor colour 8. Custom keeps the current
    /// colours. Repaints.
    void SetUIStyle(TskUIStyle style);
    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints.
    void SetBorderColor(TColor color);
    TColor ButtonColor() const { return m_buttonColor; }
    /// Stores, repaints.
    void SetButtonColor(TColor color);
    TColor ArrowColor() const { return m_arrowColor; }
    /// Stores, repaints.
    void SetArrowColor(TColor color);
    TColor Color() const { return m_color; }
    /// Background colour of the text part; stores, repaints.
    void SetColor(TColor color);
    /// Enables or disables the control and repaints it (the arrow turns grey).
    void SetEnabled(bool enabled);

    /// Every item's text.
    QStringList Items() const;
    /// Number of items.
    int Count() const { return count(); }
    /// Appends an item.
    void AddItem(const QString& text);
    /// Replaces every item; nothing is selected afterwards.
    void SetItems(const QStringList& items);
    /// Removes every item.
    void ClearItems();
    /// The selected item, -1 when none.
    int ItemIndex() const { return currentIndex(); }
    /// Selects item i (-1 or an index outside the items: none). Raises no OnChange.
    void SetItemIndex(int i);
    /// The selected item's text; empty when none.
    QString Text() const { return currentText(); }

    /// The drop-down button of a control of that size (excluding its 2-pixel edge).
    static VclRect ButtonRect(QSize control);
    /// The arrow's top-left point inside button b.
    static QPoint ArrowOrigin(const VclRect& b);

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    /// Takes the look (every look, Custom included, as the other restyled controls).
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    /// The user chose an item from the list or with the keys; never raised
    /// by SetItemIndex or the item setters.
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DrawButton(QPainter& canvas) const;

    TColor m_borderColor = clBlack;
    TColor m_buttonColor = clBtnFace;
    TColor m_arrowColor = clBlack;
    TColor m_color = clWindow;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    QImage m_pearlButton;  // loaded when the look becomes Pearl
};

class TskComboBox : public TskCustomComboBox {
    Q_OBJECT
public:
    explicit TskComboBox(QWidget* parent = nullptr) : TskCustomComboBox(parent) {}
};
