#pragma once
// The Draw window "Draw": the 512 x 512 canvas where laser drawings are edited
// with the shape, selection and point tools, the object commands around it,
// the undo history and the status line. The document and the tools live in
// DrawDocument and ToolEngine; the window forwards events to them, paints the
// canvas and writes the labels.
//
// Three areas are left for the frame pages, the palette grid and the play
// preview, which other parts of the window fill in.

#include "editor/draw_document.h"
#include "editor/tool_engine.h"

#include "model/background_picture.h"

#include <QImage>
#include <QWidget>

#include <map>

class DrawCanvas;
class DrawPlayPanel;
class FramePagesPanel;
class PaletteGridPanel;
class QLabel;
class TskButton;
class TskCheckBox;
class TskEdit;
class TskForm;
class TskToolBar;
class TskToolButton;
class UpDown;
class WindowRegistry;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden; reads its six settings values
    /// (bad ones fall back, out-of-range ones are clamped).
    explicit TForm1(WindowRegistry& windows);
    ~TForm1() override;

    /// The edited drawing, selection, undo history and drawing settings.
    DrawDocument& Document() { return m_document; }
    const DrawDocument& Document() const { return m_document; }
    /// The canvas tools acting on the document.
    ToolEngine& Tools() { return m_tools; }
    /// Repaints the canvas after another window changed the drawing.
    void RefreshDrawing();
    /// Repaints the canvas after an edit: erased points are purged first, the
    /// point count is shown.
    void RedrawDrawing();

    /// The message label (Label1).
    void SetStatus(const QString& text);
    QString Status() const;
    /// The file name label (Label8).
    void SetFileNameLabel(const QString& text);
    /// The canvas as last painted.
    const QImage& CanvasBitmap() const { return m_canvasBitmap; }
    DrawCanvas* Image90() const { return m_image90; }

    /// Room for the 24 ILDA frame thumbnails, their page buttons and frame commands.
    QWidget* FramePagesArea() const { return m_framePagesArea; }
    /// Room for the palette grid.
    QWidget* PaletteArea() const { return m_paletteArea; }
    /// Room for the play preview Image1, the play buttons and the file commands.
    QWidget* PlayArea() const { return m_playArea; }
    /// The ILDA frame pages (the Play window shows an image it loaded here).
    FramePagesPanel* FramePages() const { return m_framePages; }
    /// The palette grid and its colour display.
    PaletteGridPanel* Palette() const { return m_palette; }
    /// The play preview, play buttons, drawing files and copy buffer.
    DrawPlayPanel* PlayPanel() const { return m_playPanel; }

    // Handlers, named as the controls they serve.
    void skButton32Click();  ///< undo
    void skButton33Click();  ///< redo
    void BitBtn1Click();     ///< New_D
    /// A tool button: pending tool work ends, the tool is chosen, its text is shown.
    void ToolButtonClick(int mode);
    void Image90MouseDown(ToolButton button, bool ctrl, int x, int y);
    void Image90MouseMove(bool ctrl, int x, int y);
    void Image90MouseUp(ToolButton button, bool ctrl, int x, int y);

signals:
    /// The pick-colour tool took CurrentColor from the drawing.
    void CurrentColorPicked(int index);

protected:
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void BuildToolBar(QWidget* frame, int top);
    void BuildStatusLine(QWidget* frame, int top);
    void BuildCommands(QWidget* frame, int top);
    void BuildSettings(QWidget* frame, int top);
    void LoadSettings();
    void SyncToolButtons();
    /// Runs a command on the selection after ending pending tool work, then repaints.
    void SelectionCommand(bool (DrawDocument::*command)());
    void ShowDialog(QWidget* window);
    void PictureClick();
    void Edit1Exit();
    void Edit2Exit();
    /// The up-down arrows: the setting takes the new position, shown in its field.
    void UpDown1Click(int position);
    void UpDown2Click(int position);
    void SyncGrab();
    void BuildPanels();

    WindowRegistry& m_windows;
    DrawDocument m_document;
    ToolEngine m_tools{m_document};
    BackgroundPicture m_pictures;
    QImage m_canvasBitmap;

    TskForm* m_skForm1 = nullptr;
    DrawCanvas* m_image90 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label17 = nullptr;
    QLabel* m_label18 = nullptr;
    TskToolBar* m_toolBar1 = nullptr;
    std::map<int, TskToolButton*> m_toolButtons;
    TskCheckBox* m_skCheckBox1 = nullptr;
    TskEdit* m_edit1 = nullptr;
    TskEdit* m_edit2 = nullptr;
    UpDown* m_upDown1 = nullptr;
    UpDown* m_upDown2 = nullptr;
    QWidget* m_framePagesArea = nullptr;
    QWidget* m_paletteArea = nullptr;
    QWidget* m_playArea = nullptr;
    FramePagesPanel* m_framePages = nullptr;
    PaletteGridPanel* m_palette = nullptr;
    DrawPlayPanel* m_playPanel = nullptr;
};
