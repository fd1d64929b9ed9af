#include "editor/edit_in_draw_window.h"

#include "editor/draw_window.h"
#include "editor/drawing_file_commands.h"
#include "editor/frame_pages_panel.h"

#include <QDir>
#include <QFileInfo>

namespace {

void Present(TForm1& draw)
{
    draw.show();
    draw.raise();
}

}  // namespace

FileResult EditDrawingInDrawWindow(TForm1& draw, const QString& path)
{
    DrawDocument& document = draw.Document();
    const DrawingLoad loaded = LoadDrawingFile(document, path);
    switch (loaded.kind) {
    case DrawingLoad::Kind::Missing:
        // Deleted since the list was read: a failed read, not an empty drawing. The
        // name comes first, so a status line too short for the whole path shows it.
        return FileResult::Failure(
            QStringLiteral("\"%1\" is not there: %2").arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(path)));
    case DrawingLoad::Kind::Unreadable:
        return FileResult::Failure(loaded.message);
    case DrawingLoad::Kind::Whole:
    case DrawingLoad::Kind::InPart:
        break;
    }
    draw.SetFileNameLabel(DrawingFiles::FileNameLabel(document));
    draw.RefreshDrawing();
    Present(draw);
    if (loaded.kind == DrawingLoad::Kind::InPart)
        return FileResult::Failure(loaded.message);
    return FileResult::Success();
}

FileResult EditIldaInDrawWindow(TForm1& draw, const QString& path)
{
    FramePagesPanel* panel = draw.FramePages();
    if (!panel)
        return FileResult::Success();
    const FileResult result = panel->Pages().Open(path);
    panel->UpdatePages();
    Present(draw);
    return result;
}
