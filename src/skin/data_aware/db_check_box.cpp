#include "skin/data_aware/db_check_box.h"

#include "skin/theme_pictures.h"

#include <QPainter>

TskDBCheckBox::TskDBCheckBox(QWidget* parent) : TskCheckBox(parent)
{
    SetCaption(QStringLiteral("skDBCheckBox"));
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    SetButtonPic(UIStyle());
}

void TskDBCheckBox::SetValueChecked(const QString& values)
{
    m_valueChecked = values;
    DataChange();
}

void TskDBCheckBox::SetValueUnchecked(const QString& values)
{
    m_valueUnchecked = values;
    DataChange();
}

void TskDBCheckBox::SetState(TCheckBoxState state)
{
    m_state = state;
    SetChecked(state == TCheckBoxState::cbChecked);
    update();
}

QImage TskDBCheckBox::GreyedBoxPicture(const QImage& unchecked)
{
    if (unchecked.isNull())
        return {};
    QImage out = unchecked.convertToFormat(QImage::Format_ARGB32);
    const int inset = std::max(3, std::min(out.width(), out.height()) / 4);
    const QRect mark = out.rect().adjusted(inset, inset, -inset, -inset);
    if (mark.isValid()) {
        QPainter p(&out);
        p.fillRect(mark, QColor(0x80, 0x80, 0x80));
    }
    return out;
}

void TskDBCheckBox::SetButtonPic(TskUIStyle style)
{
    TskCheckBox::SetButtonPic(style);
    // From element 27: disabled checked/unchecked, then checked/unchecked for
    // normal, mouse-on and mouse-down; the grey pictures grow from the unchecked ones.
    auto grey = [&](int element) {
        const QString name = GetThemeString(style, element);
        return MakeFacePicture(name.isEmpty() ? QImage() : GreyedBoxPicture(ThemeImage(name)));
    };
    m_greyNormal = grey(27 + 1 + (isEnabled() ? 2 : 0));
    m_greyMouseOn = grey(27 + 4 + 1);
    m_greyMouseDown = grey(27 + 6 + 1);
}

const FacePicture& TskDBCheckBox::PaintButtonNormal() const
{
    return m_state == TCheckBoxState::cbGrayed ? m_greyNormal : TskCheckBox::PaintButtonNormal();
}

const FacePicture& TskDBCheckBox::PaintButtonMouseOn() const
{
    return m_state == TCheckBoxState::cbGrayed ? m_greyMouseOn : TskCheckBox::PaintButtonMouseOn();
}

const FacePicture& TskDBCheckBox::PaintButtonMouseDown() const
{
    return m_state == TCheckBoxState::cbGrayed ? m_greyMouseDown : TskCheckBox::PaintButtonMouseDown();
}

const FacePicture& TskDBCheckBox::PaintButtonDisabled() const
{
    return m_state == TCheckBoxState::cbGrayed ? m_greyNormal : TskCheckBox::PaintButtonDisabled();
}

bool TskDBCheckBox::Matches(const QString& text, const QString& alternatives)
{
    const QStringList list = alternatives.split(u';');
    for (const QString& alt : list)
        if (alt.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TskDBCheckBox::DataChange()
{
    const TField* field = Field();
    if (!field) {
        SetState(TCheckBoxState::cbUnchecked);
        return;
    }
    if (field->IsNull()) {
        SetState(TCheckBoxState::cbGrayed);
    } else if (field->DataType() == TFieldType::ftBoolean) {
        // A stored value that is no boolean ('yes') is neither state.
        const QString text = field->Text();
        SetState(text == QLatin1String("True")    ? TCheckBoxState::cbChecked
                 : text == QLatin1String("False") ? TCheckBoxState::cbUnchecked
                                                  : TCheckBoxState::cbGrayed);
    } else {
        const QString text = field->Text();
        if (Matches(text, m_valueChecked))
            SetState(TCheckBoxState::cbChecked);
        else if (Matches(text, m_valueUnchecked))
            SetState(TCheckBoxState::cbUnchecked);
        else
            SetState(TCheckBoxState::cbGrayed);
    }
}

bool TskDBCheckBox::UpdateData()
{
    TField* field = Field();
    if (!field)
        return true;
    if (m_state == TCheckBoxState::cbGrayed)
        return field->Clear();
    const bool checked = m_state == TCheckBoxState::cbChecked;
    if (field->DataType() == TFieldType::ftBoolean)
        return field->SetAsBoolean(checked);
    const QString values = checked ? m_valueChecked : m_valueUnchecked;
    return field->SetAsString(values.section(u';', 0, 0));
}

void TskDBCheckBox::DoClick()
{
    if (!m_dataLink.EditField())
        return;  // the data set refused the edit: the box keeps its state
    switch (m_state) {
    case TCheckBoxState::cbUnchecked:
        SetState(m_allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked:
        SetState(TCheckBoxState::cbUnchecked);
        break;
    case TCheckBoxState::cbGrayed:
        SetState(TCheckBoxState::cbChecked);
        break;
    }
    m_dataLink.Modified();
}

void TskDBCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_dataLink.Reset();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Backspace) && !m_dataLink.EditField()) {
        event->accept();
        return;
    }
    TskCheckBox::keyPressEvent(event);
}

void TskDBCheckBox::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    TskCheckBox::focusOutEvent(event);
}
