#include "editor/edit_in_draw_window.h"

#include "editor/draw_window.h"
#include "editor/drawing_file_commands.h"
#include "editor/frame_pages_panel.h"
#include "model/drawing_file.h"

namespace {

void Present(TForm1& draw)
{
    draw.show();
    draw.raise();
}

}  // namespace

FileResult EditDrawingInDrawWindow(TForm1& draw, const QString& path)
{
    Drawing drawing;
    if (FileResult read = ReadDrawingFile(path, drawing, kEditorScale); !read)
        return read;
    DrawDocument& document = draw.Document();
    // Replacing the drawing empties the selection and the undo history.
    document.ReplaceDrawing(std::move(drawing));
    document.DrawingFileName = path;
    draw.SetFileNameLabel(DrawingFiles::FileNameLabel(document));
    draw.RefreshDrawing();
    Present(draw);
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
