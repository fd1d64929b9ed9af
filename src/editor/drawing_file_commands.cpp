#include "editor/drawing_file_commands.h"

#include "editor/draw_document.h"
#include "editor/save_file_choice.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "model/show_folders.h"
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
    if (!WriteDrawingFile(file, document.Drawing, kEditorScale)) {
        // The old file, the name and the history stay as they were.
        dialogs.Message(parent, QStringLiteral("Save_D"), QStringLiteral("cannot save %1").arg(file));
        return FileCommand::Failed;
    }
    document.DrawingFileName = file;
    document.DeleteSnapshots(0, document.SnapshotCount());
    document.UndoIndex = -1;
    return FileCommand::Done;
}

FileCommand DrawingFiles::Open(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder)
{
    const QString file = dialogs.OpenFileName(parent, QStringLiteral("Open_D"), folder, QString::fromLatin1(kFilter));
    if (file.isEmpty() || !IsRegularFile(file))
        return FileCommand::Cancelled;
    // A file that exists but cannot be read must not empty the drawing silently.
    if (!ReadWholeFile(file)) {
        dialogs.Message(parent, QStringLiteral("Open_D"), QStringLiteral("cannot read %1").arg(file));
        return FileCommand::Failed;
    }
    ::Drawing drawing;
    ReadDrawingFile(file, drawing, kEditorScale);
    document.ReplaceDrawing(std::move(drawing));
    document.DrawingFileName = file;
    return FileCommand::Done;
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
