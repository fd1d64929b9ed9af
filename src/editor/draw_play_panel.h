#pragma once
// The Draw window's play panel: the 256 x 256 play preview (Image1) with its
// point count, the play tool bar (play image, repeat, stop, mirrors, hold,
// output settings), the drawing play button and the drawing-file and
// copy-buffer buttons.

#include "editor/draw_panel_hooks.h"
#include "editor/drawing_file_commands.h"

#include <QWidget>

class DrawDocument;
class EditorPlayer;
class FramePages;
class QLabel;
class TskButton;
class TskToolBar;
class TskToolButton;
class WindowRegistry;

/// Image1: shows the player's preview.
class PlayPreviewImage : public QWidget {
    Q_OBJECT
public:
    PlayPreviewImage(const EditorPlayer& player, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const EditorPlayer& m_player;
};

class DrawPlayPanel : public QWidget {
    Q_OBJECT
public:
    /// The preview on the left, the buttons in a column right of it; the column's
    /// lower part (from kFreeTop down) is left free for the window.
    static constexpr int kPanelWidth = 475;
    static constexpr int kPanelHeight = 262;
    static constexpr int kColumnLeft = 262;
    static constexpr int kFreeTop = 116;

    /// GUI thread. `pages` is the frame pages' image that image play sends.
    DrawPlayPanel(WindowRegistry& windows, DrawDocument& document, FramePages& pages, DrawPanelHooks hooks,
                  QWidget* parent = nullptr);
    ~DrawPlayPanel() override;

    EditorPlayer& Player() { return *m_player; }

    // Handlers, callable as the controls call them.
    void ToolButton1Click();   // play the image
    void BitBtn28Click();      // play the drawing
    void ToolButton8Click();   // stop
    void ToolButton2Click();   // output settings
    void BitBtn4Click();       // Save_D
    void BitBtn31Click();      // SaveAs _D
    void BitBtn3Click();       // Open_D
    void skButton30Click();    // SaveBuff
    void skButton31Click();    // ReadBuff

    /// Tool buttons by name: "ToolButton1", "ToolButton5", "ToolButton8", "ToolButton9",
    /// "ToolButton3", "ToolButton10", "ToolButton2".
    TskToolButton* ToolButton(const char* name) const;
    TskButton* BitBtn28() const { return m_bitBtn28; }
    QString PointCountText() const;

private:
    void BuildControls();
    QString DrawingFolder() const;

    WindowRegistry& m_windows;
    DrawDocument& m_document;
    FramePages& m_pages;
    DrawPanelHooks m_hooks;
    DrawingFiles m_files;  // the file commands; the name lives in the document
    EditorPlayer* m_player = nullptr;  // child QObject
    PlayPreviewImage* m_image1 = nullptr;
    QLabel* m_label39 = nullptr;
    TskToolBar* m_toolBar = nullptr;
    TskButton* m_bitBtn28 = nullptr;
};
