#include "skin/data_aware/data_set_prompts.h"

#include "skin/data_aware/db_texts.h"

#include <QMessageBox>

bool AskToConfirm(QWidget* parent, const QuestionHook& hook, const QString& question)
{
    if (hook)
        return hook(question);
    return QMessageBox::question(parent, db_texts::Confirm(), question, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

void ShowDataSetError(QWidget* parent, const ErrorHook& hook, const QString& text)
{
    if (hook)
        hook(text);
    else
        QMessageBox::critical(parent, QString(), text);
}
