#include "sequencer/sequence_window.h"
#include "skin/form_controls.h"

#include "editor/draw_window.h"
#include "editor/edit_in_draw_window.h"
#include "model/delays.h"
#include "model/drawing_file.h"
#include "model/sequence_file.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/tick_timer.h"
#include "player/colour_panel.h"
#include "player/drawing_preview.h"
#include "player/drawing_thumbnail.h"
#include "player/ilda_preview.h"
#include "player/show_file_list.h"
#include "sequencer/sequence_preview.h"
#include "shell/dialogs.h"
#include "shell/new_file_names.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"
#include "skin/menus/popup_menu.h"
#include "skin/radio_group.h"
#include "skin/grids/string_grid.h"
#include "skin/tool_bar.h"
#include "skin/tool_image_list.h"
#include "skin/track_bar.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

constexpr int kWatchInterval = 1000;
// The drawing and ILDA previews' side: their 128-pixel pictures are shown whole, scaled down.
constexpr int kPreviewSide = 104;

// The watcher's pause between the end of a sequence and its repeat.
constexpr std::uint32_t kRestartDelay = 3000;

QImage IconImage(const char* name)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    SkinIcon(QLatin1String(name)).paint(&p, image.rect());
    return image;
}

void ShowWindowTitled(WindowRegistry& windows, const QString& title)
{
    for (QWidget* w : windows.Windows())
        if (w->windowTitle() == title) {
            w->show();
            w->raise();
        }
}

}  // namespace

TForm8::TForm8(WindowRegistry& windows)
    : TForm8(windows, nullptr)
{
}

TForm8::TForm8(WindowRegistry& windows, std::unique_ptr<TickSource> ildaClock)
    : windows_(windows)
    , folders_(windows.ProgramFolder())
    , sink_(std::make_unique<DeviceFrameSink>())
    , ildaPreview_(std::make_unique<IldaPreviewAnimator>(std::move(ildaClock)))
{
    setWindowTitle(QStringLiteral("Sequence"));
    BuildForm();
    for (int t = 0; t < kTrackCount; ++t)
        ShowGrid(t);
    Label18->setText(windows_.Music().Player().Found() ? QStringLiteral("Auto create a new sequence")
                                                       : QString::fromUtf8(kNoMediaPlayerText));
    // Each list on its first entry; creation reads no file (the drawing's thumbnail
    // is drawn at the first show, the image waits for "Preview ild").
    for (ShowFileList* list : {FileListBox1, FileListBox3, FileListBox2, FileListBox4})
        list->RefreshKeepingSelection();
    // Any play started elsewhere ends this sequence for good: no repeat on top of it.
    connect(&windows_.HandOver(), &PlayHandOver::playStarted, this, [this](std::uint8_t) { CancelSequence(); });
}

TForm8::~TForm8()
{
    // The tracks read this window's sequence, state and sink: join before they go.
    restartPause_.stop();
    windows_.HandOver().stopAll();
}

void TForm8::SetFrameSink(std::unique_ptr<FrameSink> sink)
{
    sink_ = sink ? std::move(sink) : std::make_unique<DeviceFrameSink>();
}

bool TForm8::StartPending() const
{
    return tracksPending_ && windows_.Music().LeadInPending();
}

// ---- the form ---------------------------------------------------------------------

void TForm8::BuildForm()
{
    setFixedSize(975, 747);

    AddLabel(this, "Label7", QStringLiteral("Sequence name"), 8, 13);
    skEdit1 = new TskEdit(this);
    skEdit1->setObjectName(QStringLiteral("skEdit1"));
    skEdit1->setReadOnly(true);
    skEdit1->SetText(kNewSequenceName);
    skEdit1->setGeometry(108, 8, 92, 24);
    auto* newButton = AddButton(this, "BitBtn4", QStringLiteral("New sequence"), "document-new", 238, 7, 118);
    auto* openButton = AddButton(this, "BitBtn17", QStringLiteral("Open sequence"), "document-open", 360, 7, 120);
    auto* saveButton = AddButton(this, "BitBtn5", QStringLiteral("Save sequence"), "document-save", 484, 7, 120);
    auto* saveAsButton =
        AddButton(this, "BitBtn16", QStringLiteral("SaveAs sequence"), "document-save-as", 608, 7, 126);
    PlaceButtonsInRow({newButton, openButton, saveButton, saveAsButton}, 204, 4);
    connect(newButton, &TskButton::OnClick, this, &TForm8::NewSequenceClick);
    connect(openButton, &TskButton::OnClick, this, &TForm8::OpenSequenceClick);
    connect(saveButton, &TskButton::OnClick, this, &TForm8::SaveSequenceClick);
    connect(saveAsButton, &TskButton::OnClick, this, &TForm8::SaveAsSequenceClick);

    // The three track grids.
    auto* gridMenu = new TskPopupMenu(this);
    gridMenu->setObjectName(QStringLiteral("skPopupMenu5"));
    connect(gridMenu->addAction(QStringLiteral("Remove")), &QAction::triggered, this, &TForm8::RemoveTrackRow);
    const char* labelNames[] = {"Label19", "Label33", "Label63"};
    const char* gridNames[] = {"SskStringGrid1", "SskStringGrid2", "SskStringGrid3"};
    for (int t = 0; t < kTrackCount; ++t) {
        const int x = 8 + t * 244;
        AddLabel(this, labelNames[t], QStringLiteral("Track%1").arg(t + 1), x, 40);
        auto* grid = new TskStringGrid(this);
        grid->setObjectName(QLatin1String(gridNames[t]));
        grid->SetProgramRowGridLook();
        grid->SetColCount(2);
        grid->SetRowCount(2);
        grid->SetFixedRows(1);
        grid->SetFixedCols(0);
        grid->SetDefaultRowHeight(20);
        grid->SetColWidths(0, 150);
        grid->SetColWidths(1, 62);
        grid->SetOptions(grid->Options() | TGridOption::goEditing | TGridOption::goRowMoving |
                         TGridOption::goFixedVertLine | TGridOption::goFixedHorzLine | TGridOption::goVertLine |
                         TGridOption::goHorzLine);
        grid->setGeometry(x, 58, 236, 250);
        grid->SetRows(0, {QStringLiteral("file name"), QStringLiteral("play_time")});
        connect(grid, &TskCustomGrid::OnSetEditText, this,
                [this, t](int col, int row, const QString& text) { grids_[std::size_t(t)].SetCell(col, row, text); });
        connect(grid, &TskCustomGrid::OnRowMoved, this, [this, t](int from, int to) {
            grids_[std::size_t(t)].MoveRow(from, to);
            ShowGrid(t);
        });
        // Clicking or entering a grid makes its track the one the commands edit.
        connect(grid, &TskCustomGrid::OnClick, this, [this, t] { skRadioGroup1->SetItemIndex(t); });
        connect(grid, &TskCustomGrid::OnEnter, this, [this, t] { skRadioGroup1->SetItemIndex(t); });
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid, gridMenu, t](const QPoint& at) {
            skRadioGroup1->SetItemIndex(t);
            gridMenu->popup(grid->mapToGlobal(at));
        });
        Grids[std::size_t(t)] = grid;
    }

    skRadioGroup1 = new TskRadioGroup(this);
    skRadioGroup1->setObjectName(QStringLiteral("skRadioGroup1"));
    skRadioGroup1->SetCaption(QStringLiteral("Edit track"));
    skRadioGroup1->SetItems({QStringLiteral("Track1"), QStringLiteral("Track2"), QStringLiteral("Track3")});
    skRadioGroup1->SetColumns(3);
    skRadioGroup1->setGeometry(8, 314, 236, 62);
    skRadioGroup1->SetItemIndex(0);

    // Row commands.
    struct Command {
        const char* name;
        const char* caption;
        int list;
        bool insert;
    };
    const Command commands[] = {
        {"BitBtn1", "Add_ddr", 0, false},   {"BitBtn15", "Insert_ddr", 0, true}, {"skButton7", "Add_Sec", 1, false},
        {"skButton8", "Insert_Sec", 1, true}, {"skButton5", "Add ILD", 2, false}, {"skButton6", "Insert ILD", 2, true},
    };
    for (int i = 0; i < 6; ++i) {
        const Command& c = commands[i];
        // Captions only: six buttons share the row under the grids.
        auto* b = AddButton(this, c.name, QString::fromLatin1(c.caption), nullptr, 252 + i * 82, 316, 80);
        connect(b, &TskButton::OnClick, this, [this, c] { c.insert ? InsertTrackRow(c.list) : AddTrackRow(c.list); });
    }
    auto* removeButton = AddButton(this, "BitBtn2", QStringLiteral("Remove"), "list-remove", 252, 348, 80);
    auto* upButton = AddButton(this, "skButton9", QStringLiteral("Move up"), "go-up", 334, 348, 80);
    auto* downButton = AddButton(this, "skButton10", QStringLiteral("Move down"), "go-down", 416, 348, 90);
    PlaceButtonsInRow({removeButton, upButton, downButton}, 252, 2);
    connect(removeButton, &TskButton::OnClick, this, &TForm8::RemoveTrackRow);
    connect(upButton, &TskButton::OnClick, this, &TForm8::MoveTrackRowUp);
    connect(downButton, &TskButton::OnClick, this, &TForm8::MoveTrackRowDown);
    AddLabel(this, "Label3", QStringLiteral("A Play_Time"), 540, 353);
    skEdit2 = new TskEdit(this);
    skEdit2->setObjectName(QStringLiteral("skEdit2"));
    skEdit2->SetText(QStringLiteral("300"));
    skEdit2->setGeometry(620, 348, 70, 24);

    // Music.
    AddLabel(this, "Label64", QStringLiteral("Music file"), 8, 389);
    skEdit3 = new TskEdit(this);
    skEdit3->setObjectName(QStringLiteral("skEdit3"));
    skEdit3->setGeometry(80, 384, 480, 24);
    auto* findMusic = AddButton(this, "skButton4", QStringLiteral("find..."), "document-open", 566, 383, 80);
    connect(findMusic, &TskButton::OnClick, this, &TForm8::ChooseMusicFile);
    auto* timerButton = AddButton(this, "skButton11", QString(), "chronometer", 652, 383, 30);
    timerButton->setToolTip(QStringLiteral("Setting timer"));
    connect(timerButton, &TskButton::OnClick, this, &TForm8::ShowTimerWindow);

    BuildPlayControls();
    BuildFileLists();

    // Timers: the time base, the preview and the repeat watcher.
    timer1_ = new TickTimer(this);
    timer2_ = new TickTimer(this);
    timer4_ = new TickTimer(this);
    timer4_->setInterval(kWatchInterval);
    connect(timer1_, &TickTimer::timeout, this, &TForm8::Timer1Timer);
    connect(timer2_, &TickTimer::timeout, this, &TForm8::Timer2Timer);
    connect(timer4_, &TickTimer::timeout, this, &TForm8::SequenceRepeatWatch);
    restartPause_.setSingleShot(true);
    restartPause_.setInterval(int(std::chrono::duration_cast<std::chrono::milliseconds>(
                                      PumpDelayDuration(kRestartDelay))
                                      .count()));
    connect(&restartPause_, &QTimer::timeout, this, &TForm8::StartSequencePlay);

    preview_.fill(Qt::black);
    ShowPreview();
}

void TForm8::BuildPlayControls()
{
    const int left = 744;
    auto* toolBar = new TskToolBar(this);
    toolBar->setObjectName(QStringLiteral("skToolBar1"));
    toolBar->SetButtonWidth(31);
    toolBar->SetButtonHeight(36);
    ToolImageList images(24, 24);
    for (const char* icon : {"media-playback-start", "zarn-repeat", "media-playback-stop", "zarn-mirror-h",
                             "zarn-hold", "zarn-output-settings", "zarn-mirror-v"})
        images.AddMasked(IconImage(icon), qRgb(1, 2, 3));
    toolBar->SetImages(images);
    auto add = [&](const char* name, TToolButtonStyle style, int image, const QString& tip) {
        TskToolButton* b = toolBar->AddButton(style, image);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        return b;
    };
    ToolButton1 = add("ToolButton1", TToolButtonStyle::tbsButton, 0, QStringLiteral("play"));
    ToolButton5 = add("ToolButton5", TToolButtonStyle::tbsCheck, 1, QStringLiteral("loop"));
    ToolButton8 = add("ToolButton8", TToolButtonStyle::tbsButton, 2, QStringLiteral("stop"));
    ToolButton9 = add("ToolButton9", TToolButtonStyle::tbsCheck, 3, QStringLiteral("mirror X"));
    ToolButton3 = add("ToolButton3", TToolButtonStyle::tbsCheck, 6, QStringLiteral("mirror Y"));
    ToolButton10 = add("ToolButton10", TToolButtonStyle::tbsCheck, 4, QStringLiteral("freeze"));
    ToolButton2 = add("ToolButton2", TToolButtonStyle::tbsButton, 5, QStringLiteral("settings"));
    toolBar->setGeometry(left, 4, 7 * 31 + 4, 40);
    connect(ToolButton1, &TskToolButton::OnClick, this, &TForm8::SequencePlayStart);
    connect(ToolButton8, &TskToolButton::OnClick, this, &TForm8::StopClick);
    connect(ToolButton2, &TskToolButton::OnClick, this,
            [this] { ShowWindowTitled(windows_, QStringLiteral("settings")); });
    connect(ToolButton5, &TskToolButton::OnClick, this,
            [this] { LoopPlay.store(ToolButton5->Down() ? 1 : 0, kRelaxed); });
    connect(ToolButton9, &TskToolButton::OnClick, this,
            [this] { MirrorX.store(ToolButton9->Down() ? 1 : 0, kRelaxed); });
    connect(ToolButton3, &TskToolButton::OnClick, this,
            [this] { MirrorY.store(ToolButton3->Down() ? 1 : 0, kRelaxed); });
    connect(ToolButton10, &TskToolButton::OnClick, this,
            [this] { FreezePlay.store(ToolButton10->Down() ? 1 : 0, kRelaxed); });

    // Colour panels, two rows of six.
    AddLabel(this, "Label24", QStringLiteral("K"), left, 60);
    panels_ = MakeColourPanels(this, left + 16, 50, 6, controls_.SequenceColorMode.load(kRelaxed));
    for (ColourPanel* panel : panels_)
        connect(panel, &ColourPanel::Clicked, this, &TForm8::PanelClicked);
    Label50 = AddLabel(this, "Label50", QString::number(controls_.SequenceColorMode.load(kRelaxed)), left + 190, 60);
    Label50->setMinimumWidth(30);

    AddLabel(this, "Label59", QStringLiteral("N ch_color_sp"), left, 118);
    Label61 = AddLabel(this, "Label61", QStringLiteral("30"), left + 96, 118, 30);
    AddLabel(this, "Label60", QStringLiteral("0"), left, 138);
    skTrackBar3 = new TskTrackBar(this);
    skTrackBar3->setObjectName(QStringLiteral("skTrackBar3"));
    skTrackBar3->SetMin(0);
    skTrackBar3->SetMax(40);
    skTrackBar3->SetPosition(30);
    skTrackBar3->setGeometry(left + 12, 134, 168, 24);
    AddLabel(this, "Label62", QStringLiteral("40"), left + 184, 138);
    connect(skTrackBar3, &TskTrackBar::OnChange, this, [this] {
        controls_.SequenceColorSpeed.store(skTrackBar3->Position(), kRelaxed);
        Label61->setText(QString::number(skTrackBar3->Position()));
    });
    skCheckBox3 = new TskCheckBox(this);
    skCheckBox3->setObjectName(QStringLiteral("skCheckBox3"));
    skCheckBox3->SetCaption(QStringLiteral("Point draw"));
    skCheckBox3->setGeometry(left, 164, 110, 17);
    connect(skCheckBox3, &TskCheckBox::OnClick, this,
            [this] { controls_.SequencePointDraw.store(skCheckBox3->Checked() ? 1 : 0, kRelaxed); });

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(left + 8, 188, 208, 208);
    Image1->setStyleSheet(QStringLiteral("background: black"));
    AddLabel(this, nullptr, QStringLiteral("points:"), left + 8, 400);
    Label31 = AddElidingLabel(this, "Label31", QStringLiteral("0"), left + 56, 400, 60);

    AddLabel(this, "Label30", QStringLiteral("Message:"), left, 424);
    // Wrapped over the free height below it: a failed save names the file and the reason.
    Label18 = AddElidingLabel(this, "Label18", QStringLiteral("ready"), left, 442, 224);
    Label18->setWordWrap(true);
    Label18->setFixedHeight(120);
    Label18->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label18->setStyleSheet(QStringLiteral("color: red; background: #87CEEB; padding: 2px"));
}

void TForm8::BuildFileLists()
{
    const int top = 420;
    struct ListEntry {
        const char* name;
        const char* label;
        const char* labelText;
        ShowFolder folder;
        const char* mask;
        int x;
        int width;
    };
    // ILDA names are often long ("font_Times_New_Roman.ild"): that list is the widest.
    const ListEntry entries[4] = {
        {"FileListBox1", "Label2", "\\Drawing", ShowFolder::Drawing, "*.ddr", 8, 168},
        {"FileListBox2", "Label1", "..\\Section", ShowFolder::Section, "*.sec", 182, 168},
        {"FileListBox3", "Label32", "\\ILDAimage", ShowFolder::IldaImage, "*.ild", 356, 200},
        {"FileListBox4", "Label34", "\\Sequence", ShowFolder::Sequence, "*.SEQ", 562, 168},
    };
    std::array<ShowFileList*, 4> lists{};
    for (int i = 0; i < 4; ++i) {
        const ListEntry& s = entries[i];
        AddLabel(this, s.label, QString::fromLatin1(s.labelText), s.x, top);
        auto* list = new ShowFileList(this);
        list->setObjectName(QLatin1String(s.name));
        list->SetMask(QLatin1String(s.mask));
        list->SetDirectory(folders_.FolderPath(s.folder));
        list->setGeometry(s.x, top + 18, s.width, 180);
        lists[std::size_t(i)] = list;
        connect(list, &ShowFileList::FileDeleteAttempted, this,
                [this, list](ShowFileList::DeleteOutcome outcome, const QString& failure) {
                    if (outcome == ShowFileList::DeleteOutcome::Failed) {
                        Label18->setText(failure);
                        return;
                    }
                    if (list == FileListBox1)
                        DrawingListChanged();
                    if (list == FileListBox3 && skCheckBox1->Checked()) {
                        if (outcome == ShowFileList::DeleteOutcome::DeletedLast) {
                            skCheckBox1->SetChecked(false);
                            ildaPreview_->SetActive(false);
                        } else {
                            IldaListChanged();
                        }
                    }
                });
    }
    FileListBox1 = lists[0];
    FileListBox2 = lists[1];
    FileListBox3 = lists[2];
    FileListBox4 = lists[3];

    // Previews and find buttons under the lists.
    const int below = top + 204;
    Image2 = new PreviewBox(this, kPreviewSide);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->move(8, below);
    // Counts wider than their room are cut with "...", never plainly into another number.
    Label29 = AddElidingLabel(this, "Label29", QStringLiteral("0"), 118, below + 84, 60);
    auto* find1 = AddButton(this, "skButton1", QStringLiteral("Find"), "edit-find", 118, below, 66);
    auto* find2 = AddButton(this, "skButton2", QStringLiteral("Find"), "edit-find", 190, below, 66);
    const int ilda = entries[2].x;
    Image3 = new PreviewBox(this, kPreviewSide);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->move(ilda, below);
    Label6 = AddElidingLabel(this, "Label6", QStringLiteral("0"), ilda + 110, below + 84, 60);
    auto* find3 = AddButton(this, "skButton3", QStringLiteral("Find"), "edit-find", ilda + 110, below, 66);
    skCheckBox1 = new TskCheckBox(this);
    skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
    skCheckBox1->SetCaption(QStringLiteral("Preview ild"));
    skCheckBox1->setGeometry(ilda + 110, below + 34, 90, 17);
    skCheckBox2 = new TskCheckBox(this);
    skCheckBox2->setObjectName(QStringLiteral("skCheckBox2"));
    skCheckBox2->SetCaption(QStringLiteral("Auto refresh file list"));
    skCheckBox2->setGeometry(entries[3].x, below, 172, 17);
    connect(find1, &TskButton::OnClick, this, &TForm8::FindDrawingClick);
    connect(find2, &TskButton::OnClick, this, &TForm8::FindSectionClick);
    connect(find3, &TskButton::OnClick, this, &TForm8::FindIldaClick);
    connect(skCheckBox1, &TskCheckBox::OnClick, this, [this] {
        ildaPreview_->SetActive(skCheckBox1->Checked());
        IldaListChanged();
    });
    connect(skCheckBox2, &TskCheckBox::OnClick, this, [this] {
        if (skCheckBox2->Checked())
            RefreshFileLists();
    });
    connect(ildaPreview_.get(), &IldaPreviewAnimator::FramePainted, this, [this](const QImage& picture, int points) {
        Image3->SetPicture(picture);
        Label6->setText(QString::number(points));
    });

    connect(FileListBox1, &TskListBox::OnClick, this, &TForm8::DrawingListChanged);
    connect(FileListBox3, &TskListBox::OnClick, this, &TForm8::IldaListChanged);
    connect(FileListBox1, &TskListBox::OnDblClick, this, [this] { AddTrackRow(0); });
    connect(FileListBox2, &TskListBox::OnDblClick, this, [this] { AddTrackRow(1); });
    connect(FileListBox3, &TskListBox::OnDblClick, this, [this] { AddTrackRow(2); });
    connect(FileListBox4, &TskListBox::OnDblClick, this, &TForm8::SequencePlayStart);

    // Popup menus.
    auto menuFor = [this](ShowFileList* list, const char* name) {
        auto* menu = new TskPopupMenu(this);
        menu->setObjectName(QLatin1String(name));
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [list, menu](const QPoint& at) { menu->popup(list->mapToGlobal(at)); });
        return menu;
    };
    // A menu item with its object name.
    auto item = [](TskPopupMenu* menu, const QString& text, const char* name) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    auto* m1 = menuFor(FileListBox1, "skPopupMenu1");
    connect(item(m1, QStringLiteral("Add drawing to track"), "N1"), &QAction::triggered, this,
            [this] { AddTrackRow(0); });
    connect(item(m1, QStringLiteral("Insert drawing to track"), "N2"), &QAction::triggered, this,
            [this] { InsertTrackRow(0); });
    m1->addSeparator();
    connect(m1->addAction(QStringLiteral("Edit")), &QAction::triggered, this, &TForm8::EditDrawingClick);
    auto* m2 = menuFor(FileListBox2, "skPopupMenu2");
    connect(item(m2, QStringLiteral("Add section to track"), "N3"), &QAction::triggered, this,
            [this] { AddTrackRow(1); });
    connect(item(m2, QStringLiteral("Insert section to track"), "N4"), &QAction::triggered, this,
            [this] { InsertTrackRow(1); });
    auto* m3 = menuFor(FileListBox3, "skPopupMenu3");
    connect(item(m3, QStringLiteral("Add ILD to track"), "N5"), &QAction::triggered, this, [this] { AddTrackRow(2); });
    connect(item(m3, QStringLiteral("Insert ILD to track"), "N6"), &QAction::triggered, this,
            [this] { InsertTrackRow(2); });
    auto* m4 = menuFor(FileListBox4, "skPopupMenu4");
    connect(item(m4, QStringLiteral("&Play"), "N8"), &QAction::triggered, this, &TForm8::SequencePlayStart);
    m4->addSeparator();
    connect(m4->addAction(QStringLiteral("&Open")), &QAction::triggered, this, &TForm8::OpenSequenceClick);
    m4->addSeparator();
    connect(m4->addAction(QStringLiteral("refresh")), &QAction::triggered, this, &TForm8::RefreshSequenceList);
}

void TForm8::PanelClicked(std::int32_t value)
{
    controls_.SequenceColorMode.store(value, kRelaxed);
    Label50->setText(QString::number(value));
    for (ColourPanel* p : panels_)
        p->SetLowered(p->Value() == value);
}

// ---- activation -----------------------------------------------------------------------

void TForm8::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (FileListBox1->Count() > 0)
            DrawingListChanged();
    }
    FormActivate();
}

void TForm8::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    ildaPreview_->Stop();
}

void TForm8::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm8::FormActivate()
{
    if (skCheckBox2->Checked())
        RefreshFileLists();
    ildaPreview_->Start();
}

// ---- file lists and previews ----------------------------------------------------------

ShowFileList* TForm8::ListOf(int list) const
{
    return list == 0 ? FileListBox1 : list == 1 ? FileListBox2 : FileListBox3;
}

void TForm8::RefreshFileLists()
{
    FileListBox1->RefreshKeepingSelection();
    if (FileListBox1->Count() > 0)
        DrawingListChanged();
    FileListBox3->RefreshKeepingSelection();
    if (FileListBox3->Count() > 0) {
        if (const QString message = ildaPreview_->LoadFile(FileListBox3->SelectedPath()); !message.isEmpty())
            Label18->setText(message);
    }
    FileListBox2->RefreshKeepingSelection();
    FileListBox4->RefreshKeepingSelection();
}

void TForm8::RefreshSequenceList()
{
    FileListBox4->RefreshKeepingSelection();
}

void TForm8::DrawingListChanged()
{
    // A file that is gone shows the previous drawing again.
    if (FileListBox1->ItemIndex() < 0 || !IsRegularFile(FileListBox1->SelectedPath()))
        return;
    ShowDrawingThumbnail(ReadDrawingThumbnail(FileListBox1->SelectedPath()), *Image2, *Label29, *Label18);
}

void TForm8::IldaListChanged()
{
    if (FileListBox3->ItemIndex() < 0 || FileListBox3->Count() == 0 || !skCheckBox1->Checked())
        return;
    const QString message = ildaPreview_->LoadFile(FileListBox3->SelectedPath());
    if (!message.isEmpty())
        Label18->setText(message);
}

void TForm8::FindDrawingClick()
{
    const FindTexts texts{QStringLiteral("Find drawing"), QStringLiteral("drawing name"), QStringLiteral("drawing1"),
                          QStringLiteral(".ddr"), QStringLiteral("This drawing have not been found!")};
    const FindOutcome outcome = FindInList(*FileListBox1, windows_.Dialog(), texts);
    if (outcome == FindOutcome::NotFound)
        Label18->setText(texts.notFound);
    else if (outcome == FindOutcome::Found)
        DrawingListChanged();
}

void TForm8::FindSectionClick()
{
    const FindTexts texts{QStringLiteral("Find section"), QStringLiteral("section name"), QStringLiteral("Section1"),
                          QStringLiteral(".sec"), QStringLiteral("This section have not been found!")};
    if (FindInList(*FileListBox2, windows_.Dialog(), texts) == FindOutcome::NotFound)
        Label18->setText(texts.notFound);
}

void TForm8::FindIldaClick()
{
    const FindTexts texts{QStringLiteral("Fine ILDAimage"), QStringLiteral("ILDAimage name"), QStringLiteral("Image1"),
                          QStringLiteral(".ild"), QStringLiteral("This ILDAimage have not been found!")};
    const FindOutcome outcome = FindInList(*FileListBox3, windows_.Dialog(), texts);
    if (outcome == FindOutcome::NotFound)
        Label18->setText(texts.notFound);
    else if (outcome == FindOutcome::Found)
        IldaListChanged();
}

void TForm8::EditDrawingClick()
{
    TForm1* draw = windows_.Form1();
    if (!draw || FileListBox1->ItemIndex() < 0)
        return;
    if (FileResult result = EditDrawingInDrawWindow(*draw, FileListBox1->SelectedPath()); !result) {
        // As Open_D does: a box the operator cannot miss, and the status line.
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message);
    }
}

void TForm8::ChooseMusicFile()
{
    const QString musicFolder = folders_.FolderPath(ShowFolder::Music);
    const QString chosen = windows_.Dialog().OpenFileName(this, QStringLiteral("Music file"), musicFolder,
                                                          QStringLiteral("Music (*.mp3 *.wav *.wma *.ogg *.flac);;All files (*)"));
    if (chosen.isEmpty() || !IsRegularFile(chosen))
        return;
    const QFileInfo info(chosen);
    const QString folder = QDir::cleanPath(info.absolutePath()) + u'/';
    const QString music = QDir::cleanPath(musicFolder) + u'/';
    skEdit3->SetText(folder.toLower() == music.toLower() ? info.fileName() : chosen);
}

void TForm8::ShowTimerWindow()
{
    ShowWindowTitled(windows_, QStringLiteral("Setting timer"));
}

