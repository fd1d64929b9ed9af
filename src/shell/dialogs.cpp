#include "shell/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

QString QtDialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString QtDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter)
{
    // The windows ask their own question before replacing a file.
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtDialogs::Message(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

Dialogs::Answer QtDialogs::Question(QWidget* parent, const QString& title, const QString& text,
                                    bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent, title, text, buttons)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

std::optional<QString> QtDialogs::InputText(QWidget* parent, const QString& title,
                                            const QString& label, const QString& initial)
{
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString ScriptedDialogs::nextName(const QString& caption)
{
    asked << QStringLiteral("file: ") + caption;
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    return nextName(caption);
}

QString ScriptedDialogs::SaveFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    return nextName(caption);
}

void ScriptedDialogs::Message(QWidget*, const QString& title, const QString& text)
{
    asked << title + QStringLiteral(": ") + text;
}

Dialogs::Answer ScriptedDialogs::Question(QWidget*, const QString& title, const QString& text, bool)
{
    asked << title + QStringLiteral(": ") + text;
    if (answers.empty())
        return Answer::No;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::InputText(QWidget*, const QString& title, const QString& label,
                                                  const QString&)
{
    asked << title + QStringLiteral(": ") + label;
    if (texts.empty())
        return std::nullopt;
    std::optional<QString> text = texts.front();
    texts.pop_front();
    return text;
}
