#include "player/show_file_list.h"

#include "model/show_folders.h"
#include "shell/dialogs.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>

#include <system_error>

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
    m_asked.reset();
    SetItems(ListFolder(m_directory, m_mask));
}

void ShowFileList::ListOffThread(const QString& directory, Listed listed)
{
    Request request{QDir::cleanPath(directory), std::move(listed), ++m_serial};
    // A folder not yet listed stays so, and keeps the selection from before it was asked for.
    const bool waitingForFolder = m_asked && m_asked->emptied;
    if (request.directory != m_directory || waitingForFolder) {
        request.emptied = true;
        request.selectedBefore = waitingForFolder ? m_asked->selectedBefore : SelectedText();
    }
    if (request.directory != m_directory) {
        m_directory = request.directory;
        SetItems({});
    }
    m_asked = std::move(request);
    if (!m_running.contains(m_directory)) {
        try {
            StartListing(m_directory);
        } catch (const std::system_error&) {
            m_asked.reset();
            throw;
        }
    }
}

void ShowFileList::StartListing(const QString& directory)
{
    const std::uint64_t serial = m_serial;
    m_listings.Run<QStringList>([lister = m_lister, directory, mask = m_mask] { return lister(directory, mask); },
                                [this, directory, serial](const QStringList& names) {
                                    FolderListed(directory, serial, names);
                                });
    m_running.insert(directory);
}

void ShowFileList::FolderListed(const QString& directory, std::uint64_t serial, const QStringList& names)
{
    m_running.remove(directory);
    if (!m_asked || m_asked->directory != directory)
        return;  // another folder was asked for meanwhile
    if (m_asked->serial != serial) {
        // Asked for again since this listing began: what it saw may be old.
        try {
            StartListing(directory);
            return;
        } catch (const std::system_error&) {
            // No thread to list it again: this listing is the newest there is.
        }
    }
    Request request = std::move(*m_asked);
    m_asked.reset();
    const QString selectedBefore = request.emptied ? request.selectedBefore : SelectedText();
    SetItems(names);
    if (request.listed)
        request.listed(selectedBefore);
}

void ShowFileList::RefreshOffThread(std::function<void()> listed)
{
    if (ItemIndex() < 0 && Count() > 0)
        SetItemIndex(0);
    ListOffThread(m_directory, [this, listed = std::move(listed)](const QString& selectedBefore) {
        if (SelectByText(selectedBefore) < 0 && Count() > 0)
            SetItemIndex(0);
        if (listed)
            listed();
    });
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
            RereadAfterDelete(name);
            return DeleteOutcome::Failed;
        }
    }
    if (m_offThread)
        DeleteItem(index);
    RereadAfterDelete(neighbour);
    return only ? DeleteOutcome::DeletedLast : DeleteOutcome::Deleted;
}

void ShowFileList::RereadAfterDelete(const QString& selected)
{
    if (!m_offThread) {
        Reread();
        if (!selected.isEmpty())
            SelectByText(selected);
        return;
    }
    // The entries stay as they are now until the folder answers.
    if (!selected.isEmpty())
        SelectByText(selected);
    try {
        RefreshOffThread();
    } catch (const std::system_error&) {
        // No thread to list it: the entries already show the delete.
    }
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
