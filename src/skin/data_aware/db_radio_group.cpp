#include "skin/data_aware/db_radio_group.h"

#include "skin/radio_button.h"

namespace {

// An item that asks its group before a click may change it.
class DBRadioItem : public TskRadioButton {
public:
    DBRadioItem(TskDBRadioGroup* group) : TskRadioButton(group), m_group(group) {}

protected:
    void DoClick() override
    {
        if (Checked() || m_group->CanChange())
            TskRadioButton::DoClick();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_group->HandleKey(*event))
            TskRadioButton::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        m_group->ExitWrites();
        TskRadioButton::focusOutEvent(event);
    }

private:
    TskDBRadioGroup* m_group;
};

}  // namespace

TskDBRadioGroup::TskDBRadioGroup(QWidget* parent) : TskRadioGroup(parent)
{
    SetCaption(QStringLiteral("skDBRadioGroup"));
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
}

TskCheckBox* TskDBRadioGroup::CreateAButton()
{
    return new DBRadioItem(this);
}

QString TskDBRadioGroup::ButtonValue(int i) const
{
    if (i < 0 || i >= Items().size())
        return {};
    if (i < m_values.size() && !m_values[i].isEmpty())
        return m_values[i];
    return Items()[i];
}

void TskDBRadioGroup::SetValue(const QString& value)
{
    if (value == m_value)
        return;
    m_inSetValue = true;
    int index = -1;
    for (int i = 0; i < ButtonCount(); ++i) {
        if (ButtonValue(i) == value) {
            index = i;
            break;
        }
    }
    SetItemIndex(index);
    m_inSetValue = false;
    m_value = value;
    emit OnChange();
}

void TskDBRadioGroup::SetValues(const QStringList& values)
{
    m_values = values;
    m_value.clear();
    SetItemIndex(-1);
    DataChange();
}

void TskDBRadioGroup::SetItems(const QStringList& items)
{
    TskRadioGroup::SetItems(items);
    m_value.clear();
    SetItemIndex(-1);
    DataChange();
}

void TskDBRadioGroup::DataChange()
{
    const TField* field = Field();
    SetValue(field ? field->Text() : QString());
}

bool TskDBRadioGroup::UpdateData()
{
    TField* field = Field();
    return !field || field->SetText(m_value);
}

void TskDBRadioGroup::NewClick()
{
    if (m_inSetValue)
        return;
    const int index = ItemIndex();
    if (index >= 0)
        SetValue(ButtonValue(index));
    if (m_dataLink.Editing())
        m_dataLink.Modified();
}

bool TskDBRadioGroup::HandleKey(QKeyEvent& event)
{
    if (event.key() == Qt::Key_Escape) {
        m_dataLink.Reset();
        event.accept();
        return true;
    }
    if (IsPrintableKey(event) && event.key() != Qt::Key_Space && !m_dataLink.EditField()) {
        event.accept();
        return true;
    }
    return false;
}

void TskDBRadioGroup::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKey(*event))
        TskRadioGroup::keyPressEvent(event);
}
