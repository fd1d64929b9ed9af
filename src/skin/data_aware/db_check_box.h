#pragma once
// The skinned check box bound to a field. It has a third, grey state for a
// null field or a value that matches neither list; the grey state clears
// the field when written. ValueChecked and ValueUnchecked may each hold
// several ";"-separated alternatives, compared without regard to case; the
// first is the one written.

#include "skin/check_box.h"
#include "skin/data_aware/db_field_control.h"

class TskDBCheckBox : public TskCheckBox, public TskDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. Unchecked, ValueChecked "True", ValueUnchecked "False".
    explicit TskDBCheckBox(QWidget* parent = nullptr);

    QString ValueChecked() const { return m_valueChecked; }
    /// Stores and reads the field again.
    void SetValueChecked(const QString& values);
    QString ValueUnchecked() const { return m_valueUnchecked; }
    /// Stores and reads the field again.
    void SetValueUnchecked(const QString& values);
    bool AllowGrayed() const { return m_allowGrayed; }
    /// When on, a click on an unchecked box turns it grey (clearing the field on write).
    void SetAllowGrayed(bool on) { m_allowGrayed = on; }
    /// The box's state, grey included.
    TCheckBoxState State() const { return m_state; }
    /// Sets the state from code (no click, nothing written).
    void SetState(TCheckBoxState state);

    /// The grey-state picture made from a look's unchecked box: the box
    /// with a grey square inside.
    static QImage GreyedBoxPicture(const QImage& unchecked);

protected:
    void SetButtonPic(TskUIStyle style) override;
    const FacePicture& PaintButtonNormal() const override;
    const FacePicture& PaintButtonMouseOn() const override;
    const FacePicture& PaintButtonMouseDown() const override;
    const FacePicture& PaintButtonDisabled() const override;
    void DoClick() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    bool UpdateData();
    static bool Matches(const QString& text, const QString& alternatives);

    QString m_valueChecked = QStringLiteral("True");
    QString m_valueUnchecked = QStringLiteral("False");
    bool m_allowGrayed = false;
    TCheckBoxState m_state = TCheckBoxState::cbUnchecked;
    FacePicture m_greyNormal;
    FacePicture m_greyMouseOn;
    FacePicture m_greyMouseDown;
};
