#pragma once
// The skinned combo box bound to a field. The list styles select the item
// equal to the field's text; the editable style shows the text itself when
// no item matches. Choosing or typing puts the data set into edit mode;
// opening the list does too, and closing it unchanged shows the field again.
// The simple style keeps its list open under the edit row; a click on an item
// chooses it. The edit row keeps a stored text's case until an item is chosen;
// bytes show as "(BLOB)" and are read-only.

#include "skin/combo_box.h"
#include "skin/data_aware/db_field_control.h"
#include "skin/data_aware/typed_length_limit.h"

#include <QLineEdit>
#include <QListView>
#include <QPointer>

enum class TComboBoxStyle : std::uint8_t { csDropDown = 0, csSimple = 1, csDropDownList = 2 };

class TskDBComboBox : public TskCustomComboBox, public TskDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    /// GUI thread. A drop-down box (editable) in the look of parent's form.
    explicit TskDBComboBox(QWidget* parent = nullptr);

    TComboBoxStyle Style() const { return m_style; }
    /// The list styles do not type; the others do. The simple style shows
    /// its list below an edit row of the drop-down box's height.
    void SetStyle(TComboBoxStyle style);
    /// The always-open list of the simple style (null in the other styles).
    QListView* SimpleList() const { return m_simpleList; }
    /// The text written back: the selected item for the list style, the typed text otherwise.
    QString ComboText() const;

    void showPopup() override;
    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    bool UpdateData();
    void SimpleListClicked(const QModelIndex& index);
    /// Places the edit row and the list of the simple style.
    void LayOutSimple();
    int EditRowHeight() const;
    bool ListStyle() const { return m_style == TComboBoxStyle::csDropDownList; }

    TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
    bool m_dropped = false;
    QPointer<QLineEdit> m_connectedEdit;  // the edit row whose typing marks the value modified
    QPointer<TypedLengthLimit> m_typedLimit;  // a child of the edit row
    QPointer<QListView> m_simpleList;  // a child: Qt deletes it with the box
};
