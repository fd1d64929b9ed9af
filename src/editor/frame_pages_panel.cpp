#include "editor/frame_pages_panel.h"

#include "editor/draw_document.h"
#include "editor/frame_thumbnail.h"
#include "model/show_folders.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/icons.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kPitch = kThumbnailSize + 2;
constexpr int kColumns = 4;
constexpr int kThumbsTop = 36;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, 16);
    return label;
}

TskButton* MakeButton(QWidget* parent, const QString& caption, int x, int y, int w)
{
    auto* b = new TskButton(parent);
    b->setGeometry(x, y, w, 25);
    b->SetCaption(caption);
    return b;
}

TskButton* MakeGlyphButton(QWidget* parent, const char* icon, int x, int y)
{
    auto* b = new TskButton(parent);
    b->setGeometry(x, y, 30, 27);
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
    setFixedSize(300, 540);
    MakeLabel(this, QStringLiteral("FileName :"), 0, 0, 64);
    m_label26 = MakeLabel(this, m_pages.FileNameLabel, 66, 0, 234);
    MakeLabel(this, QStringLiteral("Total Frames"), 0, 18, 74);
    m_label30 = MakeLabel(this, QStringLiteral("0"), 78, 18, 50);
    MakeLabel(this, QStringLiteral("Page :"), 150, 18, 40);
    m_label19 = MakeLabel(this, QStringLiteral("1"), 192, 18, 30);
    MakeLabel(this, QStringLiteral("/"), 222, 18, 10);
    m_label20 = MakeLabel(this, QStringLiteral("0"), 234, 18, 40);

    for (int slot = 0; slot < kThumbnailsPerPage; ++slot) {
        auto* image = new FrameThumbnailImage(this);
        image->setObjectName(QStringLiteral("Image%1").arg(slot + 2));
        image->move((slot % kColumns) * kPitch, kThumbsTop + (slot / kColumns) * kPitch);
        connect(image, &FrameThumbnailImage::Clicked, this, [this, slot] { SelectFrameThumbnail(slot); });
        m_images[std::size_t(slot)] = image;
    }
    const int right = kColumns * kPitch + 2;
    auto* prev = MakeGlyphButton(this, "go-previous", right, kThumbsTop);
    auto* next = MakeGlyphButton(this, "go-next", right, kThumbsTop + 32);
    prev->setObjectName(QStringLiteral("skButton2"));
    next->setObjectName(QStringLiteral("skButton3"));
    connect(prev, &TskButton::OnClick, this, &FramePagesPanel::skButton2Click);
    connect(next, &TskButton::OnClick, this, &FramePagesPanel::skButton3Click);

    const int below = kThumbsTop + 6 * kPitch + 2;
    MakeLabel(this, QStringLiteral("Frame number"), 0, below, 96);
    m_label32 = MakeLabel(this, QStringLiteral("0"), 98, below, 40);
    MakeLabel(this, QStringLiteral("FramePointCount:"), 140, below, 118);
    m_label36 = MakeLabel(this, QStringLiteral("0"), 260, below, 40);

    struct Command {
        const char* name;
        const char* caption;
        void (FramePagesPanel::*handler)();
        int x, y, w;
    };
    const int row1 = below + 20;
    const Command commands[] = {
        {"skButton1", "New", &FramePagesPanel::skButton1Click, 0, row1, 72},
        {"skButton4", "Open", &FramePagesPanel::skButton4Click, 76, row1, 72},
        {"skButton10", "Save", &FramePagesPanel::skButton10Click, 152, row1, 72},
        {"skButton11", "SaveAs", &FramePagesPanel::skButton11Click, 228, row1, 72},
        {"skButton7", "Add ", &FramePagesPanel::skButton7Click, 0, row1 + 28, 72},
        {"skButton8", "Ins", &FramePagesPanel::skButton8Click, 76, row1 + 28, 72},
        {"skButton9", "Del", &FramePagesPanel::skButton9Click, 152, row1 + 28, 72},
        {"skButton6", "Send To Drawing", &FramePagesPanel::skButton6Click, 0, row1 + 56, 148},
        {"skButton5", "Get From Drawing", &FramePagesPanel::skButton5Click, 152, row1 + 56, 148},
    };
    for (const Command& c : commands) {
        TskButton* b = MakeButton(this, QString::fromLatin1(c.caption), c.x, c.y, c.w);
        b->setObjectName(QString::fromLatin1(c.name));
        connect(b, &TskButton::OnClick, this, c.handler);
    }
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
    const int slot = m_thumbnailSlot % kThumbnailsPerPage;
    FrameThumbnailImage* image = m_images[std::size_t(slot)];
    image->SetPicture(::DrawFrameThumbnail(m_pages.EditedImage.Frames[std::size_t(frameIndex)], frameIndex));
    image->show();
    ++m_thumbnailSlot;
}

void FramePagesPanel::ShowFramePage(int page)
{
    HideFrameThumbnails();
    m_thumbnailSlot = 0;
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
