#pragma once
// The Draw window's frame pages: 24 thumbnails of the edited ILDA image with
// page buttons, labels and the frame commands. Placed by the Draw window in
// its frame-pages area; the Play window calls ShowFramePage after it loaded an
// image into the editor.

#include "editor/draw_panel_hooks.h"
#include "editor/frame_pages.h"

#include <QImage>
#include <QWidget>

#include <array>

class DrawDocument;
class QLabel;
class TskButton;
class WindowRegistry;

/// One thumbnail slot (Image2..Image25): shows its picture, reports a click.
class FrameThumbnailImage : public QWidget {
    Q_OBJECT
public:
    explicit FrameThumbnailImage(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

class FramePagesPanel : public QWidget {
    Q_OBJECT
public:
    /// The panel: labels, 4 x 6 thumbnails, page buttons and the frame commands.
    static constexpr int kPanelWidth = 317;
    static constexpr int kPanelHeight = 405;
    /// The exchange bar: frame number, point count, Send To / Get From Drawing.
    static constexpr int kExchangeBarWidth = 213;
    static constexpr int kExchangeBarHeight = 61;

    /// GUI thread. The thumbnails start hidden; Label26 reads "*.ild".
    FramePagesPanel(WindowRegistry& windows, DrawDocument& document, DrawPanelHooks hooks, QWidget* parent = nullptr);

    /// The image, its pages and selection.
    FramePages& Pages() { return m_pages; }

    /// Shows page p of the image (the current page after the frame list changed).
    void ShowFramePage(int page);
    /// Hides the 24 thumbnails.
    void HideFrameThumbnails();
    /// Draws frame i into the next slot and shows it.
    void DrawFrameThumbnail(int frameIndex);
    /// Image2Click..Image25Click: selects the frame of a slot.
    void SelectFrameThumbnail(int slot);

    // The buttons' handlers, callable as the buttons call them.
    void skButton1Click();   // New
    void skButton4Click();   // Open
    void skButton10Click();  // Save
    void skButton11Click();  // SaveAs
    void skButton7Click();   // Add
    void skButton8Click();   // Ins
    void skButton9Click();   // Del
    void skButton6Click();   // Send To Drawing
    void skButton5Click();   // Get From Drawing
    void skButton2Click();   // previous page
    void skButton3Click();   // next page

    /// Moves the exchange bar (Label32, Label36, skButton6, skButton5) into `parent` at `at`.
    void PlaceExchangeBar(QWidget* parent, QPoint at);
    QWidget* ExchangeBar() const { return m_exchangeBar; }

    FrameThumbnailImage* Thumbnail(int slot) const { return m_images[std::size_t(slot)]; }
    /// Label texts, for the window's tests: "FileName", "TotalFrames", "Page", "PageCount", "FrameNumber", "PointCount".
    QString LabelText(const char* which) const;

    /// Page bookkeeping: counts, labels and the current page shown again; for a
    /// window that put another image into Pages().
    void UpdatePages();

private:
    void BuildControls();
    void UpdateSelectionLabels();
    QString IldaFolder() const;

    WindowRegistry& m_windows;
    DrawDocument& m_document;
    DrawPanelHooks m_hooks;
    FramePages m_pages;
    int ThumbnailSlot = 0;

    std::array<FrameThumbnailImage*, kThumbnailsPerPage> m_images{};
    QWidget* m_exchangeBar = nullptr;
    QLabel* m_label26 = nullptr;
    QLabel* m_label30 = nullptr;
    QLabel* m_label19 = nullptr;
    QLabel* m_label20 = nullptr;
    QLabel* m_label32 = nullptr;
    QLabel* m_label36 = nullptr;
};
