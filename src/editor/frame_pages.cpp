#include "editor/frame_pages.h"

#include "editor/draw_document.h"
#include "editor/save_file_choice.h"
#include "model/ilda_file.h"
#include "shell/dialogs.h"

#include <algorithm>

namespace {

// The filters as the dialogs show them; the open filter is spelled as operators know it.
const char kOpenFilter[] = "IDLA files(*.ild)";
const char kSaveFilter[] = "ILDA files(*.ild)";

std::unique_ptr<LaserPoint> CopyPointAt(const LaserPoint& p, std::int32_t x, std::int32_t y)
{
    auto copy = std::make_unique<LaserPoint>();
    copy->x = x;
    copy->y = y;
    copy->z = p.z;
    copy->colour = p.colour;
    copy->blank = p.blank;
    copy->mark = kMarkNone;
    return copy;
}

}  // namespace

bool FramePages::HasImage() const
{
    return FileNameLabel != QLatin1String(kNoImageText);
}

int FramePages::SelectedFramePage() const
{
    return HasSelection() ? (SelectedFrame - 1) / kThumbnailsPerPage : -1;
}

int FramePages::SelectedThumbnail() const
{
    if (SelectedFramePage() != CurrentPage)
        return -1;
    return (SelectedFrame - 1) % kThumbnailsPerPage;
}

int FramePages::FrameAtSlot(int slot) const
{
    if (slot < 0 || slot >= kThumbnailsPerPage)
        return -1;
    const int frame = CurrentPage * kThumbnailsPerPage + slot;
    return frame < FrameCount() ? frame : -1;
}

int FramePages::ShownThumbnails() const
{
    const int first = CurrentPage * kThumbnailsPerPage;
    return std::clamp(FrameCount() - first, 0, kThumbnailsPerPage);
}

int FramePages::SelectedPointCount() const
{
    return HasSelection() ? int(EditedImage.Frames[std::size_t(SelectedFrame - 1)].Points.size()) : 0;
}

void FramePages::UpdatePageCount()
{
    PageCount = (FrameCount() + kThumbnailsPerPage - 1) / kThumbnailsPerPage;
}

bool FramePages::SelectFrameThumbnail(int slot)
{
    const int frame = FrameAtSlot(slot);
    if (frame < 0)
        return false;
    SelectedFrame = frame + 1;
    return true;
}

bool FramePages::PreviousPage()
{
    if (CurrentPage <= 0)
        return false;
    --CurrentPage;
    return true;
}

bool FramePages::NextPage()
{
    if (CurrentPage >= PageCount - 1)
        return false;
    ++CurrentPage;
    return true;
}

void FramePages::New()
{
    FileNameLabel = QString::fromLatin1(kNewImageText);
    IldaFileName.clear();
    EditedImage.Frames.clear();
    EditedImage.Frames.emplace_back();
    CurrentPage = 0;
    SelectedFrame = 0;
    UpdatePageCount();
}

FileResult FramePages::Open(const QString& file)
{
    // Only a regular file is opened: a pipe in its place would hold the window.
    const FileBytes bytes = ReadFileBytes(file, kMaxIldaFileBytes);
    if (!bytes.read())
        return FileResult::Failure(CannotOpenMessage(file, bytes.missing() ? QStringLiteral("It is not there.")
                                                                           : bytes.reason));
    if (bytes.bytes.isEmpty())
        return FileResult::Failure(QString::fromLatin1(kIldaReadError));
    TILDAimage image;
    const FileResult result = ReadIldaBytes(bytes.bytes, image);
    if (!result && image.Frames.empty())
        return result;
    EditedImage = std::move(image);
    if (result) {
        IldaFileName = file;
        FileNameLabel = FileNameOnly(file);
    } else {
        IldaFileName.clear();
        FileNameLabel = QString::fromLatin1(kNewImageText);
    }
    CurrentPage = 0;
    SelectedFrame = 0;
    UpdatePageCount();
    return result;
}

bool FramePages::Add()
{
    if (!HasImage())
        return false;
    EditedImage.Frames.emplace_back();
    UpdatePageCount();
    return true;
}

bool FramePages::Ins()
{
    if (!HasImage())
        return false;
    if (!HasSelection()) {
        EditedImage.Frames.emplace_back();
        CurrentPage = 0;
    } else {
        EditedImage.Frames.emplace(EditedImage.Frames.begin() + (SelectedFrame - 1));
    }
    UpdatePageCount();
    return true;
}

bool FramePages::Del()
{
    if (!HasImage() || !HasSelection())
        return false;
    const int n = SelectedFrame;
    EditedImage.Frames.erase(EditedImage.Frames.begin() + (n - 1));
    UpdatePageCount();
    if (FrameCount() < n)
        SelectedFrame = FrameCount();
    // Pages count from 0: the last page is PageCount - 1.
    CurrentPage = std::min(CurrentPage, std::max(0, PageCount - 1));
    return true;
}

FileResult FramePages::SaveTo(const QString& file)
{
    FileResult result = WriteIldaFile(file, EditedImage);
    if (result) {
        IldaFileName = file;
        FileNameLabel = FileNameOnly(file);
    }
    return result;
}

bool FramePages::SendToDrawing(DrawDocument& document) const
{
    if (!HasSelection())
        return false;
    const TILDAframe& frame = EditedImage.Frames[std::size_t(SelectedFrame - 1)];
    Path path;
    path.reserve(frame.Points.size());
    for (const auto& p : frame.Points)
        if (p->mark != kMarkErased)
            path.push_back(CopyPointAt(*p, (p->x + 128) * 2, (128 - p->y) * 2));
    ::Drawing drawing;
    drawing.push_back(std::move(path));
    // One undo step: an unsaved drawing is never lost to a frame.
    document.ReplaceDrawingAsEdit(std::move(drawing));
    return true;
}

bool FramePages::GetFromDrawing(const DrawDocument& document)
{
    if (!HasSelection())
        return false;
    TILDAframe& frame = EditedImage.Frames[std::size_t(SelectedFrame - 1)];
    frame.Points.clear();
    frame.Points.reserve(document.PointCount());
    for (const Path& path : document.Drawing)
        for (const auto& p : path)
            if (p->mark != kMarkErased) {
                // Outside -128..127 the file would keep only the low byte and wrap to the far edge.
                const std::int32_t x = std::clamp(p->x / 2 - 128, -128, 127);
                const std::int32_t y = std::clamp(128 - p->y / 2, -128, 127);
                frame.Points.push_back(CopyPointAt(*p, x, y));
            }
    return true;
}

FileCommand OpenIldaImage(FramePages& pages, Dialogs& dialogs, QWidget* parent, const QString& folder)
{
    const QString file = dialogs.OpenFileName(parent, QStringLiteral("Open"), folder, QString::fromLatin1(kOpenFilter));
    if (file.isEmpty())
        return FileCommand::Cancelled;
    const FileResult result = pages.Open(file);
    if (!result) {
        dialogs.Message(parent, QStringLiteral("Open"), result.message);
        return FileCommand::Failed;
    }
    return FileCommand::Done;
}

FileCommand SaveIldaImage(FramePages& pages, Dialogs& dialogs, QWidget* parent, const QString& folder, bool always)
{
    if (!pages.HasImage())
        return FileCommand::NotAvailable;
    QString file = pages.IldaFileName;
    if (always || file.isEmpty() || pages.FileNameLabel == QLatin1String(kNewImageText)) {
        file = ChooseSaveFile(dialogs, parent, QStringLiteral("Save"), folder, QString::fromLatin1(kSaveFilter),
                              QStringLiteral("ild"));
        if (file.isEmpty())
            return FileCommand::Cancelled;
    }
    const FileResult result = pages.SaveTo(file);
    if (!result) {
        dialogs.Message(parent, QStringLiteral("Save"), result.message);
        return FileCommand::Failed;
    }
    return FileCommand::Done;
}
