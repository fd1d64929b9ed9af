#include "player/show_file_list.h"

#include "model/show_folders.h"
#include "shell/dialogs.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>

ShowFileList::ShowFileList(QWidget* parent) : TskListBox(parent) {}

void ShowFileList::SetDirectory(const QString& directory)
{
    m_directory = QDir::cleanPath(directory);
    Reread();
}

QStringList ShowFileList::ListFolder(const QString& directory, const QString& mask)
{
    QStringList names;
    if (!directory.isEmpty()) {
        // Without QDir::CaseSensitive the mask ignores case.
        const QStringList entries =
            QDir(directory).entryList(QStringList{mask}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
        for (const QString& entry : entries) {
            if (IsRegularFile(directory + u'/' + entry))
                names << entry;
        }
    }
    return names;
}

void ShowFileList::Reread()
{
    SetItems(ListFolder(m_directory, m_mask));
}

void ShowFileList::ShowListing(const QString& directory, const QStringList& names)
{
    m_directory = QDir::cleanPath(directory);
    SetItems(names);
}

int ShowFileList::SelectByText(const QString& text)
{
    const int index = IndexOf(text);
    SetItemIndex(index);
    return index;
}

QString ShowFileList::SelectedText() const
{
    return ItemIndex() >= 0 ? Item(ItemIndex()) : QString();
}

QString ShowFileList::SelectedPath() const
{
    return PathOf(SelectedText());
}

QString ShowFileList::PathOf(const QString& name) const
{
    return m_directory + u'/' + name;
}

void ShowFileList::RefreshKeepingSelection()
{
    if (ItemIndex() < 0 && Count() > 0)
        SetItemIndex(0);
    const QString remembered = SelectedText();
    Reread();
    if (SelectByText(remembered) < 0 && Count() > 0)
        SetItemIndex(0);
}

ShowFileList::DeleteOutcome ShowFileList::DeleteSelectedFile(QString* failure)
{
    const int index = ItemIndex();
    if (index < 0 || Count() == 0)
        return DeleteOutcome::Nothing;
    const QString name = Item(index);
    const bool only = Count() == 1;
    const QString neighbour = only ? QString() : Item(index + 1 < Count() ? index + 1 : index - 1);
    const QString path = PathOf(name);
    if (IsRegularFile(path)) {
        QFile file(path);
        if (!file.remove()) {
            if (failure)
                *failure = QStringLiteral("Could not delete %1: %2").arg(path, file.errorString());
            Reread();
            SelectByText(name);
            return DeleteOutcome::Failed;
        }
    }
    Reread();
    if (!only)
        SelectByText(neighbour);
    return only ? DeleteOutcome::DeletedLast : DeleteOutcome::Deleted;
}

void ShowFileList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        QString failure;
        const DeleteOutcome outcome = DeleteSelectedFile(&failure);
        if (outcome != DeleteOutcome::Nothing)
            emit FileDeleteAttempted(outcome, failure);
        event->accept();
        return;
    }
    TskListBox::keyPressEvent(event);
}

std::optional<QString> FindName(const QString& answer, const QString& extension)
{
    if (answer.trimmed().isEmpty())
        return std::nullopt;
    return answer.endsWith(extension, Qt::CaseSensitive) ? answer : answer + extension;
}

FindOutcome FindInList(ShowFileList& list, Dialogs& dialogs, const FindTexts& texts)
{
    const std::optional<QString> answer = dialogs.InputText(&list, texts.caption, texts.prompt, texts.initial);
    if (!answer)
        return FindOutcome::Cancelled;
    const std::optional<QString> name = FindName(*answer, texts.extension);
    if (!name)
        return FindOutcome::Cancelled;
    const int index = list.IndexOf(*name);
    if (index < 0)
        return FindOutcome::NotFound;
    list.SetItemIndex(index);
    return FindOutcome::Found;
}
