#include "editor/frame_pages_panel.h"

#include "editor/draw_document.h"
#include "editor/frame_thumbnail.h"
#include "model/show_folders.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kPitch = kThumbnailSize + 1;
constexpr int kColumns = 4;
constexpr int kThumbsTop = 16;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 16)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

TskButton* MakeButton(QWidget* parent, const QString& caption, int x, int y, int w)
{
    auto* b = new TskButton(parent);
    b->setGeometry(x, y, w, 25);
    b->SetCaption(caption);
    return b;
}

TskButton* MakeGlyphButton(QWidget* parent, const char* icon, int x, int y, int w)
{
    auto* b = new TskButton(parent);
    b->setGeometry(x, y, w, 25);
    b->SetGlyph(SkinIcon(QString::fromLatin1(icon)).pixmap(16, 16).toImage());
    return b;
}

}  // namespace

FrameThumbnailImage::FrameThumbnailImage(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kThumbnailSize, kThumbnailSize);
    setCursor(Qt::PointingHandCursor);
}

void FrameThumbnailImage::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void FrameThumbnailImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void FrameThumbnailImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
}

FramePagesPanel::FramePagesPanel(WindowRegistry& windows, DrawDocument& document, DrawPanelHooks hooks,
                                 QWidget* parent)
    : QWidget(parent), m_windows(windows), m_document(document), m_hooks(std::move(hooks))
{
    BuildControls();
    HideFrameThumbnails();
    UpdateSelectionLabels();
}

void FramePagesPanel::BuildControls()
{
    setFixedSize(kPanelWidth, kPanelHeight);
    // One line of labels above the thumbnails, as tall as the text.
    MakeLabel(this, QStringLiteral("FileName :"), 0, 0, 62, kThumbsTop);
    // A long file name is cut with "..." before "Total Frames"; the tool tip holds it whole.
    m_label26 = new ElidingLabel(m_pages.FileNameLabel, this);
    m_label26->setGeometry(64, 0, 130, kThumbsTop);
    MakeLabel(this, QStringLiteral("Total Frames"), 196, 0, 76, kThumbsTop);
    // Room for five digits (an image numbers its frames in 16 bits); a longer count is cut
    // with "...", never plainly into another number.
    m_label30 = new ElidingLabel(QStringLiteral("0"), this);
    m_label30->setObjectName(QStringLiteral("Label30"));
    m_label30->setGeometry(274, 0, kPanelWidth - 274, kThumbsTop);

    for (int slot = 0; slot < kThumbnailsPerPage; ++slot) {
        auto* image = new FrameThumbnailImage(this);
        image->setObjectName(QStringLiteral("Image%1").arg(slot + 2));
        image->move((slot % kColumns) * kPitch, kThumbsTop + (slot / kColumns) * kPitch);
        connect(image, &FrameThumbnailImage::Clicked, this, [this, slot] { SelectFrameThumbnail(slot); });
        m_images[std::size_t(slot)] = image;
    }

    // The column right of the thumbnails: page buttons and label, then the frame commands.
    const int x = kColumns * kPitch + 2;
    const int w = kPanelWidth - x;
    auto* prev = MakeGlyphButton(this, "go-previous", x, kThumbsTop, w / 2 - 1);
    auto* next = MakeGlyphButton(this, "go-next", x + w / 2, kThumbsTop, w - w / 2);
    prev->setObjectName(QStringLiteral("skButton2"));
    next->setObjectName(QStringLiteral("skButton3"));
    connect(prev, &TskButton::OnClick, this, &FramePagesPanel::skButton2Click);
    connect(next, &TskButton::OnClick, this, &FramePagesPanel::skButton3Click);
    MakeLabel(this, QStringLiteral("Page :"), x, kThumbsTop + 28, w);
    m_label19 = MakeLabel(this, QStringLiteral("1"), x, kThumbsTop + 44, 22);
    m_label19->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MakeLabel(this, QStringLiteral("/"), x + 24, kThumbsTop + 44, 8);
    m_label20 = MakeLabel(this, QStringLiteral("0"), x + 33, kThumbsTop + 44, w - 33);

    struct Command {
        const char* name;
        const char* caption;
        void (FramePagesPanel::*handler)();
    };
    const Command commands[] = {
        {"skButton1", "New", &FramePagesPanel::skButton1Click},
        {"skButton4", "Open", &FramePagesPanel::skButton4Click},
        {"skButton10", "Save", &FramePagesPanel::skButton10Click},
        {"skButton11", "SaveAs", &FramePagesPanel::skButton11Click},
        {"skButton7", "Add ", &FramePagesPanel::skButton7Click},
        {"skButton8", "Ins", &FramePagesPanel::skButton8Click},
        {"skButton9", "Del", &FramePagesPanel::skButton9Click},
    };
    int y = kThumbsTop + 68;
    for (const Command& c : commands) {
        TskButton* b = MakeButton(this, QString::fromLatin1(c.caption), x, y, w);
        b->setObjectName(QString::fromLatin1(c.name));
        connect(b, &TskButton::OnClick, this, c.handler);
        y += 27;
    }

    // The frame's number and points and its exchange with the drawing: a bar of
    // its own, which the window places where there is room for its captions.
    m_exchangeBar = new QWidget(this);
    m_exchangeBar->setObjectName(QStringLiteral("FrameExchangeBar"));
    m_exchangeBar->setFixedSize(kExchangeBarWidth, kExchangeBarHeight);
    m_exchangeBar->move(0, kPanelHeight);  // outside the panel until placed
    MakeLabel(m_exchangeBar, QStringLiteral("Frame number"), 0, 0, 104);
    m_label32 = MakeLabel(m_exchangeBar, QStringLiteral("0"), 106, 0, 60);
    MakeLabel(m_exchangeBar, QStringLiteral("FramePointCount:"), 0, 17, 104);
    m_label36 = MakeLabel(m_exchangeBar, QStringLiteral("0"), 106, 17, 60);
    const int half = kExchangeBarWidth / 2;
    TskButton* send = MakeButton(m_exchangeBar, QStringLiteral("Send To Drawing"), 0, 36, half - 2);
    TskButton* get = MakeButton(m_exchangeBar, QStringLiteral("Get From Drawing"), half + 1, 36, kExchangeBarWidth - half - 1);
    send->setObjectName(QStringLiteral("skButton6"));
    get->setObjectName(QStringLiteral("skButton5"));
    connect(send, &TskButton::OnClick, this, &FramePagesPanel::skButton6Click);
    connect(get, &TskButton::OnClick, this, &FramePagesPanel::skButton5Click);
}

void FramePagesPanel::PlaceExchangeBar(QWidget* parent, QPoint at)
{
    m_exchangeBar->setParent(parent);
    m_exchangeBar->move(at);
    m_exchangeBar->show();
}

QString FramePagesPanel::IldaFolder() const
{
    return ShowFolders(m_windows.ProgramFolder()).FolderPath(ShowFolder::IldaImage);
}

void FramePagesPanel::HideFrameThumbnails()
{
    for (FrameThumbnailImage* image : m_images)
        image->hide();
}

void FramePagesPanel::DrawFrameThumbnail(int frameIndex)
{
    if (frameIndex < 0 || frameIndex >= m_pages.FrameCount())
        return;
    const int slot = ThumbnailSlot % kThumbnailsPerPage;
    FrameThumbnailImage* image = m_images[std::size_t(slot)];
    image->SetPicture(::DrawFrameThumbnail(m_pages.EditedImage.Frames[std::size_t(frameIndex)], frameIndex));
    image->show();
    ++ThumbnailSlot;
}

void FramePagesPanel::ShowFramePage(int page)
{
    HideFrameThumbnails();
    ThumbnailSlot = 0;
    const int first = page * kThumbnailsPerPage;
    for (int i = first; i < first + kThumbnailsPerPage && i < m_pages.FrameCount(); ++i)
        DrawFrameThumbnail(i);
    if (page == m_pages.CurrentPage) {
        const int marked = m_pages.SelectedThumbnail();
        if (marked >= 0) {
            QImage picture = m_images[std::size_t(marked)]->Picture();
            MarkThumbnail(picture);
            m_images[std::size_t(marked)]->SetPicture(picture);
        }
    }
}

void FramePagesPanel::SelectFrameThumbnail(int slot)
{
    const int before = m_pages.SelectedThumbnail();
    if (!m_pages.SelectFrameThumbnail(slot))
        return;
    // Only the old and the new slot change: the old one unmarked, the new one marked.
    if (before >= 0) {
        const int frame = m_pages.FrameAtSlot(before);
        if (frame >= 0)
            m_images[std::size_t(before)]->SetPicture(
                ::DrawFrameThumbnail(m_pages.EditedImage.Frames[std::size_t(frame)], frame));
    }
    QImage picture = ::DrawFrameThumbnail(m_pages.EditedImage.Frames[std::size_t(m_pages.SelectedFrame - 1)],
                                          m_pages.SelectedFrame - 1);
    MarkThumbnail(picture);
    m_images[std::size_t(slot)]->SetPicture(picture);
    UpdateSelectionLabels();
}

void FramePagesPanel::UpdateSelectionLabels()
{
    m_label26->setText(m_pages.FileNameLabel);
    m_label32->setText(QString::number(m_pages.SelectedFrame));
    m_label36->setText(QString::number(m_pages.SelectedPointCount()));
}

void FramePagesPanel::UpdatePages()
{
    m_pages.UpdatePageCount();
    m_label30->setText(QString::number(m_pages.FrameCount()));
    m_label20->setText(m_pages.PageCountText());
    m_label19->setText(m_pages.PageText());
    ShowFramePage(m_pages.CurrentPage);
    UpdateSelectionLabels();
}

void FramePagesPanel::skButton1Click()
{
    m_pages.New();
    UpdatePages();
}

void FramePagesPanel::skButton4Click()
{
    if (OpenIldaImage(m_pages, m_windows.Dialog(), window(), IldaFolder()) != FileCommand::Cancelled)
        UpdatePages();
}

void FramePagesPanel::skButton10Click()
{
    if (SaveIldaImage(m_pages, m_windows.Dialog(), window(), IldaFolder(), false) == FileCommand::Done)
        UpdateSelectionLabels();
}

void FramePagesPanel::skButton11Click()
{
    if (SaveIldaImage(m_pages, m_windows.Dialog(), window(), IldaFolder(), true) == FileCommand::Done)
        UpdateSelectionLabels();
}

void FramePagesPanel::skButton7Click()
{
    if (m_pages.Add())
        UpdatePages();
}

void FramePagesPanel::skButton8Click()
{
    if (m_pages.Ins())
        UpdatePages();
}

void FramePagesPanel::skButton9Click()
{
    if (m_pages.Del())
        UpdatePages();
}

void FramePagesPanel::skButton6Click()
{
    if (m_pages.SendToDrawing(m_document))
        m_hooks.Redraw();
}

void FramePagesPanel::skButton5Click()
{
    if (!m_pages.GetFromDrawing(m_document))
        return;
    ShowFramePage(m_pages.CurrentPage);
    UpdateSelectionLabels();
}

void FramePagesPanel::skButton2Click()
{
    m_pages.PreviousPage();
    ShowFramePage(m_pages.CurrentPage);
    m_label19->setText(m_pages.PageText());
}

void FramePagesPanel::skButton3Click()
{
    m_pages.NextPage();
    ShowFramePage(m_pages.CurrentPage);
    m_label19->setText(m_pages.PageText());
}

QString FramePagesPanel::LabelText(const char* which) const
{
    const QString w = QString::fromLatin1(which);
    if (w == QLatin1String("FileName"))
        return m_label26->text();
    if (w == QLatin1String("TotalFrames"))
        return m_label30->text();
    if (w == QLatin1String("Page"))
        return m_label19->text();
    if (w == QLatin1String("PageCount"))
        return m_label20->text();
    if (w == QLatin1String("FrameNumber"))
        return m_label32->text();
    if (w == QLatin1String("PointCount"))
        return m_label36->text();
    return {};
}
