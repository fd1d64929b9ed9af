#include "editor/draw_play_panel.h"

#include "editor/draw_document.h"
#include "editor/editor_player.h"
#include "editor/frame_pages.h"
#include "model/show_folders.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"
#include "skin/tool_bar.h"

#include <QLabel>
#include <QPainter>

namespace {

// Tool bar order: name, icon, check style, tip.
struct ToolEntry {
    const char* name;
    const char* icon;
    bool check;
    const char* tip;
};
constexpr ToolEntry kTools[] = {
    {"ToolButton1", "zarn-laser-play", false, "play the image"},
    {"ToolButton5", "zarn-repeat", true, "repeat"},
    {"ToolButton8", "zarn-laser-stop", false, "stop"},
    {"ToolButton9", "zarn-mirror-h", true, "mirror x"},
    {"ToolButton3", "zarn-mirror-v", true, "mirror y"},
    {"ToolButton10", "zarn-hold", true, "hold"},
    {"ToolButton2", "zarn-output-settings", false, "output settings"},
};

}  // namespace

PlayPreviewImage::PlayPreviewImage(const EditorPlayer& player, QWidget* parent)
    : QWidget(parent), m_player(player)
{
    setFixedSize(256, 256);
}

void PlayPreviewImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_player.PlayPreviewBitmap());
}

DrawPlayPanel::DrawPlayPanel(WindowRegistry& windows, DrawDocument& document, FramePages& pages,
                             DrawPanelHooks hooks, QWidget* parent)
    : QWidget(parent), m_windows(windows), m_document(document), m_pages(pages), m_hooks(std::move(hooks))
{
    m_player = new EditorPlayer(
        windows.HandOver(), [this](const QString& text) { m_hooks.Status(text); },
        std::uint8_t(std::clamp(document.BackColor, 0, 255)), this);
    BuildControls();
    connect(m_player, &EditorPlayer::PreviewChanged, this, [this] {
        m_image1->update();
        m_label39->setText(QString::number(m_player->PreviewPointCount()));
    });
}

DrawPlayPanel::~DrawPlayPanel()
{
    // The player's destructor stops and joins through the hand-over before anything here goes.
    delete m_player;
    m_player = nullptr;
}

void DrawPlayPanel::BuildControls()
{
    setFixedSize(kPanelWidth, kPanelHeight);
    m_image1 = new PlayPreviewImage(*m_player, this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->move(0, 0);

    // The column right of the preview.
    const int x = kColumnLeft;
    const int w = kPanelWidth - x;
    auto* caption = new QLabel(QStringLiteral("PointCount"), this);
    caption->setGeometry(x, 0, 70, 16);
    // A count wider than its room is cut with "...", never plainly into another number.
    m_label39 = new ElidingLabel(QStringLiteral("0"), this);
    m_label39->setObjectName(QStringLiteral("Label39"));
    m_label39->setGeometry(x + 72, 0, w - 72, 16);

    m_toolBar = new TskToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("skToolBar1"));
    m_toolBar->setGeometry(x, 20, 7 * 23, 26);
    ToolImageList images(16, 16);
    for (const ToolEntry& tool : kTools) {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        p.drawPixmap(0, 0, SkinIcon(QString::fromLatin1(tool.icon)).pixmap(16, 16));
        p.end();
        const int index = images.Add(icon);
        TskToolButton* b = m_toolBar->AddButton(tool.check ? TToolButtonStyle::tbsCheck : TToolButtonStyle::tbsButton,
                                                index);
        b->setObjectName(QString::fromLatin1(tool.name));
        b->setToolTip(QString::fromLatin1(tool.tip));
    }
    m_toolBar->SetImages(images);
    connect(ToolButton("ToolButton1"), &TskToolButton::OnClick, this, &DrawPlayPanel::ToolButton1Click);
    connect(ToolButton("ToolButton8"), &TskToolButton::OnClick, this, &DrawPlayPanel::ToolButton8Click);
    connect(ToolButton("ToolButton2"), &TskToolButton::OnClick, this, &DrawPlayPanel::ToolButton2Click);
    const std::pair<const char*, void (EditorPlayer::*)(bool)> toggles[] = {
        {"ToolButton5", &EditorPlayer::SetRepeat},
        {"ToolButton9", &EditorPlayer::SetMirrorX},
        {"ToolButton3", &EditorPlayer::SetMirrorY},
        {"ToolButton10", &EditorPlayer::SetHold},
    };
    for (const auto& [name, set] : toggles) {
        TskToolButton* b = ToolButton(name);
        EditorPlayer* player = m_player;
        auto setter = set;
        connect(b, &TskToolButton::OnClick, this, [player, b, setter] { (player->*setter)(b->Down()); });
    }

    m_bitBtn28 = new TskButton(this);
    m_bitBtn28->setObjectName(QStringLiteral("BitBtn28"));
    m_bitBtn28->setGeometry(x + 7 * 23 + 4, 20, w - 7 * 23 - 4, 26);
    m_bitBtn28->SetGlyph(SkinIcon(QStringLiteral("media-playback-start")).pixmap(16, 16).toImage());
    m_bitBtn28->setToolTip(QStringLiteral("play the drawing"));
    connect(m_bitBtn28, &TskButton::OnClick, this, &DrawPlayPanel::BitBtn28Click);

    struct Command {
        const char* name;
        const char* caption;
        void (DrawPlayPanel::*handler)();
        int x, y, w;
    };
    const int third = (w - 6) / 3;
    const int half = (w - 3) / 2;
    const Command commands[] = {
        {"BitBtn3", "Open_D", &DrawPlayPanel::BitBtn3Click, x, 54, third},
        {"BitBtn4", "Save_D", &DrawPlayPanel::BitBtn4Click, x + third + 3, 54, third},
        {"BitBtn31", "SaveAs _D", &DrawPlayPanel::BitBtn31Click, x + 2 * (third + 3), 54, w - 2 * (third + 3)},
        {"skButton30", "SaveBuff", &DrawPlayPanel::skButton30Click, x, 83, half},
        {"skButton31", "ReadBuff", &DrawPlayPanel::skButton31Click, x + half + 3, 83, w - half - 3},
    };
    for (const Command& c : commands) {
        auto* b = new TskButton(this);
        b->setObjectName(QString::fromLatin1(c.name));
        b->setGeometry(c.x, c.y, c.w, 26);
        b->SetCaption(QString::fromLatin1(c.caption));
        connect(b, &TskButton::OnClick, this, c.handler);
    }
}

TskToolButton* DrawPlayPanel::ToolButton(const char* name) const
{
    for (int i = 0; i < m_toolBar->ButtonCount(); ++i)
        if (m_toolBar->Buttons(i)->objectName() == QLatin1String(name))
            return m_toolBar->Buttons(i);
    return nullptr;
}

QString DrawPlayPanel::PointCountText() const
{
    return m_label39->text();
}

QString DrawPlayPanel::DrawingFolder() const
{
    return ShowFolders(m_windows.ProgramFolder()).FolderPath(ShowFolder::Drawing);
}

void DrawPlayPanel::ToolButton1Click()
{
    m_player->SetRepeat(ToolButton("ToolButton5")->Down());
    m_player->SetMirrorX(ToolButton("ToolButton9")->Down());
    m_player->SetMirrorY(ToolButton("ToolButton3")->Down());
    m_player->StartImagePlay(m_pages.EditedImage);
}

void DrawPlayPanel::BitBtn28Click()
{
    m_player->SetMirrorX(ToolButton("ToolButton9")->Down());
    m_player->SetMirrorY(ToolButton("ToolButton3")->Down());
    // Points marked erased go at the repaint; the play list skips them either way.
    m_player->StartDrawingPlay(m_document.Drawing);
}

void DrawPlayPanel::ToolButton8Click()
{
    m_player->Stop();
}

void DrawPlayPanel::ToolButton2Click()
{
    // The output settings window lives in a library above this one: reach it by class name.
    for (QWidget* w : m_windows.Windows())
        if (qstrcmp(w->metaObject()->className(), "TForm13") == 0) {
            w->show();
            w->raise();
            w->activateWindow();
        }
}

void DrawPlayPanel::BitBtn4Click()
{
    if (m_files.Save(m_document, m_windows.Dialog(), window(), DrawingFolder()) == FileCommand::Done)
        m_hooks.FileNameLabel(DrawingFiles::FileNameLabel(m_document));
}

void DrawPlayPanel::BitBtn31Click()
{
    if (m_files.SaveAs(m_document, m_windows.Dialog(), window(), DrawingFolder()) == FileCommand::Done)
        m_hooks.FileNameLabel(DrawingFiles::FileNameLabel(m_document));
}

void DrawPlayPanel::BitBtn3Click()
{
    const FileCommand opened = m_files.Open(m_document, m_windows.Dialog(), window(), DrawingFolder());
    if (opened != FileCommand::Done && opened != FileCommand::ReadInPart)
        return;
    m_hooks.FileNameLabel(DrawingFiles::FileNameLabel(m_document));
    m_hooks.Redraw();
}

void DrawPlayPanel::skButton30Click()
{
    if (SaveToBuffer(m_document))
        m_hooks.Status(QString::fromLatin1(kSaveBufferText));
}

void DrawPlayPanel::skButton31Click()
{
    ReadFromBuffer(m_document);
    m_hooks.Redraw();
    m_hooks.Status(QString::fromLatin1(kReadBufferText));
}
