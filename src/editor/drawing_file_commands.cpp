#include "editor/drawing_file_commands.h"

#include "editor/draw_document.h"
#include "editor/save_file_choice.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "shell/dialogs.h"

#include <QDir>

namespace {

const char kFilter[] = "drawing files(*.ddr)";

// Erased points are left out: the copy must not bring them back.
Path CopyPathMarked(const Path& path, std::uint8_t mark)
{
    Path copy;
    copy.reserve(path.size());
    for (const auto& p : path) {
        if (p->mark == kMarkErased)
            continue;
        copy.push_back(std::make_unique<LaserPoint>(*p));
        copy.back()->mark = mark;
    }
    return copy;
}

}  // namespace

QString DrawingFiles::FileNameLabel(const DrawDocument& document)
{
    return document.DrawingFileName.isEmpty() ? QString::fromLatin1(kNewDrawingText)
                                              : FileNameOnly(document.DrawingFileName);
}

FileCommand DrawingFiles::Save(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder)
{
    if (document.DrawingFileName.isEmpty())
        return SaveAs(document, dialogs, parent, folder);
    return WriteTo(document.DrawingFileName, document, dialogs, parent);
}

FileCommand DrawingFiles::SaveAs(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder)
{
    // The dialog opens inside the Drawing folder only when the folder is there.
    QDir().mkpath(folder);
    const QString file = ChooseSaveFile(dialogs, parent, QStringLiteral("Save_D"), folder,
                                        QString::fromLatin1(kFilter), QStringLiteral("ddr"));
    if (file.isEmpty())
        return FileCommand::Cancelled;
    return WriteTo(file, document, dialogs, parent);
}

FileCommand DrawingFiles::WriteTo(const QString& file, DrawDocument& document, Dialogs& dialogs, QWidget* parent)
{
    if (const FileResult written = WriteDrawingFile(file, document.Drawing, kEditorScale); !written) {
        // The old file, the name and the history stay as they were.
        dialogs.Message(parent, QStringLiteral("Save_D"), written.message);
        return FileCommand::Failed;
    }
    document.DrawingFileName = file;
    // The history starts again from the drawing as saved.
    document.ResetHistory();
    return FileCommand::Done;
}

FileCommand DrawingFiles::Open(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder)
{
    const QString file = dialogs.OpenFileName(parent, QStringLiteral("Open_D"), folder, QString::fromLatin1(kFilter));
    if (file.isEmpty())
        return FileCommand::Cancelled;
    const DrawingLoad loaded = LoadDrawingFile(document, file);
    if (!loaded.message.isEmpty())
        dialogs.Message(parent, QStringLiteral("Open_D"), loaded.message);
    switch (loaded.kind) {
    case DrawingLoad::Kind::Whole:
        return FileCommand::Done;
    case DrawingLoad::Kind::InPart:
        return FileCommand::ReadInPart;
    case DrawingLoad::Kind::Unreadable:
        return FileCommand::Failed;
    case DrawingLoad::Kind::Missing:
        break;
    }
    return FileCommand::Cancelled;
}

DrawingLoad LoadDrawingFile(DrawDocument& document, const QString& file)
{
    // Only a regular file is opened (a pipe would hold the window); one that is
    // there but cannot be read must not empty the drawing.
    const FileBytes bytes = ReadFileBytes(file, kMaxDrawingFileBytes);
    if (bytes.missing())
        return {DrawingLoad::Kind::Missing, QString()};
    if (!bytes.read())
        return {DrawingLoad::Kind::Unreadable, CannotOpenMessage(file, bytes.reason)};
    document.ReplaceDrawing(DrawingFromBytes(bytes.bytes, kEditorScale));
    if (bytes.bytes.size() % kDrawingRecordSize != 0) {
        // Cut short: what was read is shown, but the damaged file is not taken as its name.
        document.DrawingFileName.clear();
        return {DrawingLoad::Kind::InPart, QString::fromLatin1(kDrawingReadErrorText)};
    }
    document.DrawingFileName = file;
    return {DrawingLoad::Kind::Whole, QString()};
}

bool SaveToBuffer(DrawDocument& document)
{
    if (document.Drawing.empty())
        return false;
    document.SaveBuffer.clear();
    for (const Path& path : document.Drawing)
        document.SaveBuffer.push_back(CopyPathMarked(path, kMarkNone));
    return true;
}

void ReadFromBuffer(DrawDocument& document)
{
    document.ClearSelection();
    for (const Path& path : document.SaveBuffer) {
        Path copy = CopyPathMarked(path, kMarkSelected);
        for (auto& p : copy)
            document.Selection.push_back(p.get());
        document.Drawing.push_back(std::move(copy));
    }
}
