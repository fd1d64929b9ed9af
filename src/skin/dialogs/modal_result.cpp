#include "skin/dialogs/modal_result.h"

#include <QDialog>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kModalResultProperty = "ModalResult";
}

void SetFormModalResult(QWidget* form, int result)
{
    if (!form)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(form))
        dialog->setResult(result);
    else
        form->setProperty(kModalResultProperty, result);
}

int FormModalResult(const QWidget* form)
{
    if (!form)
        return mrNone;
    if (auto* dialog = qobject_cast<const QDialog*>(form))
        return dialog->result();
    return form->property(kModalResultProperty).toInt();
}

void CloseFormOnModalResult(QWidget* form)
{
    auto* dialog = qobject_cast<QDialog*>(form);
    if (!dialog || !dialog->isVisible() || !dialog->isModal())
        return;
    if (const int result = dialog->result(); result != mrNone)
        dialog->done(result);
}
