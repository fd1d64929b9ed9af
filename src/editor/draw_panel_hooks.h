#pragma once
// What the Draw window's panels ask of the window around them: its status line
// (Label1), its drawing file-name label (Label8) and a repaint of the canvas
// after the drawing changed (RedrawDrawing). Any hook may be empty.

#include <QString>

#include <functional>

struct DrawPanelHooks {
    std::function<void(const QString&)> status;
    std::function<void(const QString&)> fileNameLabel;
    std::function<void()> redraw;

    void Status(const QString& text) const
    {
        if (status)
            status(text);
    }
    void FileNameLabel(const QString& text) const
    {
        if (fileNameLabel)
            fileNameLabel(text);
    }
    void Redraw() const
    {
        if (redraw)
            redraw();
    }
};
