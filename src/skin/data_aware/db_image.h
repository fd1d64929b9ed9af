#pragma once
// The skinned image bound to a graphic field: the field's picture, centred
// or stretched, or "(label)" while not loaded or when the bytes are not a
// picture. Ctrl+C copies, Ctrl+X cuts and Ctrl+V pastes (both edit the
// record), Enter or a double click loads, Escape takes the stored picture back.

#include "skin/data_aware/db_field_control.h"
#include "skin/themes.h"

#include <QImage>
#include <QWidget>

class TskDBImage : public QWidget, public TskDBFieldControl, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. 105 x 105, a tab stop, BorderColor from parent's form.
    explicit TskDBImage(QWidget* parent = nullptr);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool AutoDisplay() const { return m_autoDisplay; }
    void SetAutoDisplay(bool on);
    bool Center() const { return m_center; }
    void SetCenter(bool on);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool on);
    /// Kept for forms that set it; pictures here carry no palette of their own.
    bool QuickDraw() const { return m_quickDraw; }
    void SetQuickDraw(bool on) { m_quickDraw = on; }

    /// Reads the field's picture (an undecodable one shows the label).
    void LoadPicture();
    /// The shown picture (null when none).
    const QImage& Picture() const { return m_picture; }
    bool PictureLoaded() const { return m_loaded; }
    void CopyToClipboard() const;
    void CutToClipboard();
    void PasteFromClipboard();

    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    void ApplyContainerStyle(TskUIStyle style) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void DataChange();
    bool UpdateData();

    TColor m_borderColor = clBlack;
    TColor m_color = clWindow;
    bool m_autoDisplay = true;
    bool m_center = true;
    bool m_stretch = false;
    bool m_quickDraw = true;
    bool m_loaded = false;
    QImage m_picture;
};
