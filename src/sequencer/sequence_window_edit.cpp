// The Sequence window's editing: the three track grids' row commands (each
// ends an open cell edit first, into its own row) and the sequence file
// commands New, Open, Save and SaveAs.

#include "sequencer/sequence_window.h"

#include "model/sequence_file.h"
#include "player/show_file_list.h"
#include "shell/dialogs.h"
#include "shell/new_file_names.h"
#include "shell/window_registry.h"
#include "skin/edit.h"
#include "skin/eliding_label.h"
#include "skin/radio_group.h"
#include "skin/grids/string_grid.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

constexpr char kReplaceQuestion[] = "This sequence name have already exists,replace it?";
const QString kPartReadText =
    QStringLiteral("The items before it are shown as a new sequence: save them under a name.");

// Whether two paths name the same file, however they were spelled.
bool SameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

}  // namespace

// ---- grids ---------------------------------------------------------------------------

void TForm8::ShowGrid(int track)
{
    TskStringGrid* grid = Grids[std::size_t(track)];
    const TrackGrid& model = grids_[std::size_t(track)];
    grid->SetRowCount(model.RowCount() + 1);
    for (int r = 1; r <= model.RowCount(); ++r)
        grid->SetRows(r, {model.Row(r).FileName, model.Row(r).PlayTime});
    grid->viewport()->update();
}

bool TForm8::EndCellEdits()
{
    for (int t = 0; t < kTrackCount; ++t) {
        const auto refused = Grids[std::size_t(t)]->CommitEditor(
            [this, t](int col, int row, const QString& text) -> std::optional<QString> {
                const TrackGrid& model = grids_[std::size_t(t)];
                if (row < 1 || row > model.RowCount())
                    return std::nullopt;
                SequenceRow item{model.Row(row).FileName, model.Row(row).PlayTime};
                (col == 0 ? item.FileName : item.PlayTime) = text;
                if (FileResult checked = CheckSequenceRow(t, row, item); !checked)
                    return checked.message;
                return std::nullopt;
            });
        if (refused) {
            Label18->setText(*refused);
            windows_.Dialog().Message(this, windowTitle(), *refused);
            return false;
        }
    }
    return true;
}

int TForm8::GridCommandTrack()
{
    if (!EndCellEdits())
        return -1;
    const int track = skRadioGroup1->ItemIndex();
    if (skEdit1->Text().trimmed().isEmpty() || track < 0 || track >= kTrackCount)
        return -1;
    return track;
}

void TForm8::DropCellEdits()
{
    for (TskStringGrid* grid : Grids)
        grid->DropEditor();
}

std::optional<TrackGridRow> TForm8::NewItem(int list)
{
    QString error;
    const auto time = PlayTimeCell(skEdit2->Text(), &error);
    if (!time) {
        windows_.Dialog().Message(this, windowTitle(), error);
        return std::nullopt;
    }
    ShowFileList* files = ListOf(list);
    return TrackGridRow{files->ItemIndex() >= 0 ? files->SelectedText().toLower() : QString(), *time};
}

void TForm8::AddTrackRow(int list)
{
    const int track = GridCommandTrack();
    if (track < 0)
        return;
    const auto item = NewItem(list);
    if (!item)
        return;
    const int row = grids_[std::size_t(track)].Add(*item);
    ShowGrid(track);
    Grids[std::size_t(track)]->SetRow(row);
}

void TForm8::InsertTrackRow(int list)
{
    const int track = GridCommandTrack();
    if (track < 0)
        return;
    const auto item = NewItem(list);
    if (!item)
        return;
    bool shifted = false;
    const int row = grids_[std::size_t(track)].Insert(Grids[std::size_t(track)]->Row(), *item, &shifted);
    if (row == 0)
        return;
    ShowGrid(track);
    Grids[std::size_t(track)]->SetRow(row);
    if (shifted)
        Label18->setText(QStringLiteral("Insert one row..."));
}

void TForm8::RemoveTrackRow()
{
    const int track = GridCommandTrack();
    if (track < 0)
        return;
    TrackGrid& grid = grids_[std::size_t(track)];
    const int current = Grids[std::size_t(track)]->Row();
    if (current < 1 || current > grid.RowCount())
        return;
    const bool removed = grid.Remove(current);
    ShowGrid(track);
    if (removed) {
        Grids[std::size_t(track)]->SetRow(std::min(current, grid.RowCount()));
        Label18->setText(QStringLiteral("Remove one row..."));
    }
}

void TForm8::MoveTrackRowUp()
{
    const int track = GridCommandTrack();
    if (track < 0)
        return;
    const int current = Grids[std::size_t(track)]->Row();
    if (grids_[std::size_t(track)].MoveUp(current)) {
        ShowGrid(track);
        Grids[std::size_t(track)]->SetRow(current - 1);
    }
}

void TForm8::MoveTrackRowDown()
{
    const int track = GridCommandTrack();
    if (track < 0)
        return;
    const int current = Grids[std::size_t(track)]->Row();
    if (grids_[std::size_t(track)].MoveDown(current)) {
        ShowGrid(track);
        Grids[std::size_t(track)]->SetRow(current + 1);
    }
}

// ---- sequence files ---------------------------------------------------------------------

void TForm8::NewSequenceClick()
{
    const auto name = AskNewFileName(windows_.Dialog(), this, QStringLiteral("Create new sequence"),
                                     QStringLiteral("sequence name"), *Label18);
    if (!name)
        return;
    if (FileListBox4->Items().contains(*name)) {
        Label18->setText(QStringLiteral("This sequence name have already exists,create failure!"));
        return;
    }
    DropCellEdits();
    for (int t = 0; t < kTrackCount; ++t) {
        grids_[std::size_t(t)].Reset();
        ShowGrid(t);
    }
    ownFile_.clear();
    skEdit1->SetText(*name);
    Label18->setText(QStringLiteral("Create a new sequence....."));
}

void TForm8::OpenSequenceClick()
{
    if (FileListBox4->ItemIndex() < 0)
        return;
    const QString path = FileListBox4->SelectedPath();
    if (!IsRegularFile(path))
        return;
    const QString entry = FileListBox4->SelectedText();
    TSequence read;
    const ShowTextRead result = ReadSequenceFile(path, read);
    if (result.extent == ShowTextRead::Extent::Unchanged) {
        // Nothing was read: the grids stay, so a later Save cannot write an empty sequence over the file.
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message);
        return;
    }
    DropCellEdits();
    EditSequence = std::move(read);
    skEdit3->SetText(EditSequence.MusicFile);
    for (int t = 0; t < kTrackCount; ++t) {
        std::vector<TrackGridRow> rows;
        for (const TSequenceRecord& item : TrackOf(EditSequence, t))
            rows.push_back({item.FileName, QString::number(item.PlayTime)});
        grids_[std::size_t(t)].SetRows(std::move(rows));
        ShowGrid(t);
    }
    if (result.extent == ShowTextRead::Extent::Part) {
        // Only a file read whole names the sequence: Save asks for a name and asks before replacing.
        ownFile_.clear();
        skEdit1->SetText(kNewSequenceName);
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message + u'\n' + kPartReadText);
        return;
    }
    ownFile_ = path;
    skEdit1->SetText(entry.left(entry.size() - 4));
    // A message left by an earlier Open is no longer true.
    Label18->clear();
}

void TForm8::SaveSequenceClick()
{
    if (!EndCellEdits())
        return;
    QString name = skEdit1->Text();
    if (name == kNewSequenceName) {
        const auto answer = AskNewFileName(windows_.Dialog(), this, QStringLiteral("Save sequence"),
                                           QStringLiteral("sequence name"), *Label18);
        if (!answer)
            return;
        name = *answer;
    }
    SaveUnder(name, QStringLiteral("Save sequence......"));
}

void TForm8::SaveAsSequenceClick()
{
    if (!EndCellEdits())
        return;
    if (const auto name = AskNewFileName(windows_.Dialog(), this, QStringLiteral("Save sequence"),
                                         QStringLiteral("sequence name"), *Label18))
        SaveUnder(*name, QStringLiteral("Save as sequence..."));
}

void TForm8::SaveUnder(const QString& typedName, const QString& doneText)
{
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return;
    SequenceSheet sheet;
    sheet.MusicFile = skEdit3->Text();
    for (int t = 0; t < kTrackCount; ++t)
        for (const TrackGridRow& row : grids_[std::size_t(t)].Rows())
            sheet.Tracks[std::size_t(t)].push_back({row.FileName, row.PlayTime});
    const QString folder = folders_.FolderPath(ShowFolder::Sequence);
    const QString file = name + QStringLiteral(".seq");
    const QString path = folder + u'/' + file;
    auto refuse = [this](const FileResult& result) {
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message);
    };
    // A sheet that would not read back is refused before the operator is asked anything.
    if (FileResult checked = CheckSequenceSheet(sheet); !checked)
        return refuse(checked);
    if (!SameFile(path, ownFile_) && IsRegularFile(path) &&
        windows_.Dialog().Question(this, windowTitle(), QString::fromLatin1(kReplaceQuestion)) != Dialogs::Answer::Yes)
        return;
    QDir().mkpath(folder);
    if (FileResult result = WriteSequenceFile(path, sheet); !result)
        return refuse(result);
    // The name changes only with the file written: a refused or declined save leaves both as they were.
    ownFile_ = path;
    skEdit1->SetText(typedName);
    FileListBox4->Reread();
    FileListBox4->SelectByText(file);
    Label18->setText(doneText);
}
