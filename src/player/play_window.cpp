#include "player/play_window.h"
#include "skin/form_controls.h"

#include "editor/chosen_font.h"
#include "editor/draw_window.h"
#include "editor/edit_in_draw_window.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "model/show_folders.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/tick_timer.h"
#include "platform/freetype_glyph_source.h"
#include "player/drawing_preview.h"
#include "player/drawing_thumbnail.h"
#include "player/folder_tree.h"
#include "player/ilda_preview.h"
#include "player/live_play_controls.h"
#include "player/play_preview.h"
#include "player/section_loops.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"
#include "skin/memo.h"
#include "skin/menus/popup_menu.h"
#include "skin/radio_group.h"
#include "skin/track_bar.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Play starts both play timers at this interval.
constexpr int kPlayTimerFirst = 100;
// The preview's interval while a drawing plays; the time base rounds it up to one system tick.
constexpr int kDrawingPreviewInterval = 5;

enum PlayModeIndex { kDrawingMode = 0, kIldaMode = 1, kTextMode = 2 };

TskCheckBox* AddCheck(QWidget* parent, const char* name, const QString& caption, int x, int y, int w)
{
    auto* box = new TskCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->SetCaption(caption);
    box->setGeometry(x, y, w, 17);
    return box;
}

std::optional<QFont> AskFont(QWidget* parent, const QFont& current)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, parent, QStringLiteral("Font"));
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

const FindTexts kFindDrawing{QStringLiteral("Find drawing"), QStringLiteral("drawing name"),
                             QStringLiteral("drawing1"), QStringLiteral(".ddr"),
                             QStringLiteral("drawing have not found!")};
const FindTexts kFindIlda{QStringLiteral("Find ILDAimage"), QStringLiteral("Image name"), QStringLiteral("Image1"),
                          QStringLiteral(".ild"), QStringLiteral("Image have not found!")};

}  // namespace

TForm4::TForm4(WindowRegistry& windows)
    : TForm4(windows, nullptr)
{
}

TForm4::TForm4(WindowRegistry& windows, std::unique_ptr<TickSource> browseClock)
    : windows_(windows)
    , sink_(std::make_unique<DeviceFrameSink>())
    , glyphs_(std::make_unique<FreeTypeGlyphSource>())
    , fontChooser_(AskFont)
    , font_(QStringLiteral("Arial"), 8)
    , ildaPreview_(std::make_unique<IldaPreviewAnimator>(std::move(browseClock)))
{
    setWindowTitle(QStringLiteral("Play"));
    BuildForm();
    const ShowFolders folders(windows_.ProgramFolder());
    FileListBox1->SetDirectory(folders.FolderPath(ShowFolder::Drawing));
    if (FileListBox1->Count() > 0)
        FileListBox1->SetItemIndex(0);
    // Creation reads no file: the drawing's thumbnail is drawn at the first show,
    // the image when its preview is asked for or it is played.
    FileListBox2->SetDirectory(folders.FolderPath(ShowFolder::IldaImage));
    if (FileListBox2->Count() > 0)
        FileListBox2->SetItemIndex(0);
    RevealIldaFolder();
    connect(ildaPreview_.get(), &IldaPreviewAnimator::FramePainted, this, [this](const QImage& picture, int points) {
        Image3->SetPicture(picture);
        Label6->setText(QString::number(points));
    });
}

TForm4::~TForm4()
{
    // The loops read this window's lists, live values and sink: join before they go.
    windows_.HandOver().stopAll();
    ildaPreview_->Stop();
}

void TForm4::SetFrameSink(std::unique_ptr<FrameSink> sink)
{
    sink_ = sink ? std::move(sink) : std::make_unique<DeviceFrameSink>();
}

void TForm4::SetGlyphSource(std::unique_ptr<GlyphOutlineSource> source)
{
    if (source)
        glyphs_ = std::move(source);
}

void TForm4::SetFontChooser(FontChooser chooser)
{
    fontChooser_ = chooser ? std::move(chooser) : FontChooser(AskFont);
}

TskTrackBar* TForm4::AddTextBar(const char* name, const QString& caption, int min, int max, int initial,
                                const char* valueLabel, int x, int y, std::atomic<std::int32_t>& target)
{
    // The caption centred on the bar, as tall as its lines (one or two).
    QLabel* label = AddLabel(this, nullptr, caption, x, y, 118);
    const int textHeight = label->fontMetrics().size(0, caption).height();
    label->setGeometry(x, y + (22 - textHeight) / 2, 118, textHeight);
    auto* bar = new TskTrackBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->SetMin(min);
    bar->SetMax(max);
    bar->SetPageSize(1);
    bar->SetPosition(initial);
    bar->setGeometry(x + 120, y, 150, 22);
    QLabel* value = AddLabel(this, valueLabel, QString::number(initial), x + 276, y + 3, 32);
    target.store(initial, kRelaxed);
    connect(bar, &TskTrackBar::OnChange, this, [bar, value, &target] {
        value->setText(QString::number(bar->Position()));
        target.store(bar->Position(), kRelaxed);
    });
    return bar;
}

void TForm4::BuildForm()
{
    setFixedSize(1060, 712);

    // Live play controls: tool bar, colour panels, B..N, P, point draw.
    controls_ = new LivePlayControls(live_, LivePlayControls::Extras::None, kPlayControlTexts, this);
    controls_->move(8, 8);
    connect(controls_, &LivePlayControls::PlayClicked, this, &TForm4::ToolButton1Click);
    connect(controls_, &LivePlayControls::StopClicked, this, &TForm4::StopClick);
    connect(controls_, &LivePlayControls::SettingsClicked, this, [this] {
        for (QWidget* w : windows_.Windows())
            if (w->windowTitle() == QLatin1String("settings")) {
                w->show();
                w->raise();
            }
    });

    // Play mode and the text parameters.
    const int textTop = 312;
    skRadioGroup1 = new TskRadioGroup(this);
    skRadioGroup1->setObjectName(QStringLiteral("skRadioGroup1"));
    skRadioGroup1->SetCaption(QStringLiteral("Play Mode"));
    skRadioGroup1->SetItems({QStringLiteral("Drawing"), QStringLiteral("ILDA image"), QStringLiteral("Text")});
    skRadioGroup1->SetItemIndex(kDrawingMode);
    skRadioGroup1->setGeometry(8, textTop, 130, 96);
    AddTextBar("skTrackBar4", QStringLiteral("Scroll Step"), 0, 64, 5, "Label31", 150, textTop, text_.ScrollStep);
    AddTextBar("skTrackBar5", QStringLiteral("StayTime"), 0, 100, 2, "Label64", 150, textTop + 30, text_.StayTime);
    // The two-line caption's row is taller than the others.
    AddTextBar("skTrackBar6", QStringLiteral("Number of visible\ncharacter/lines"), 1, 20, 8, "Label68", 150,
               textTop + 62, text_.VisibleCount);
    AddTextBar("skTrackBar8", QStringLiteral("Char_width_factor"), 1, 20, 8, "Label76", 150, textTop + 96,
               text_.TextCharWidthFactor);
    AddTextBar("skTrackBar7", QStringLiteral("Char_height_factor"), 1, 20, 8, "Label72", 150, textTop + 126,
               text_.TextCharHeightFactor);
    const QString help[] = {QStringLiteral("When horizontal scroll:"), QStringLiteral(" number of visible character=TC"),
                            QStringLiteral("Character width=256/TD"), QStringLiteral("Character height=256/TE"),
                            QStringLiteral("When vertical scroll:"), QStringLiteral("number of  visible lines=TC/2")};
    for (int i = 0; i < 6; ++i)
        AddLabel(this, nullptr, help[i], 480, textTop + i * 18);

    // The text and its commands.
    const int memoTop = textTop + 156;
    skMemo1 = new TskMemo(this);
    skMemo1->setObjectName(QStringLiteral("skMemo1"));
    skMemo1->SetWordWrap(false);
    skMemo1->SetScrollBars(TScrollStyle::ssBoth);
    skMemo1->SetText(QStringLiteral("Text"));
    skMemo1->setGeometry(8, memoTop, 440, 230);
    auto* fontButton = AddButton(this, "skButton1", QStringLiteral("Font"), "preferences-desktop-font", 460,
                                 memoTop, 90);
    skCheckBox4 = AddCheck(this, "skCheckBox4", QStringLiteral("Vertical scroll"), 460, memoTop + 36, 150);
    skCheckBox2 = AddCheck(this, "skCheckBox2", QStringLiteral("Auto refresh file list"), 460, memoTop + 62, 190);
    connect(fontButton, &TskButton::OnClick, this, &TForm4::FontClick);
    for (TskCheckBox* box : {skCheckBox2, skCheckBox4})
        connect(box, &TskCheckBox::OnClick, this, [this] {
            if (skCheckBox2->Checked())
                RefreshFileLists();
        });
    connect(skMemo1, &TskMemo::OnDblClick, this, [this] {
        if (!skMemo1->Text().trimmed().isEmpty())
            ToolButton1Click();
    });

    // Play preview and message line.
    const int right = 700;
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(right, 8, 256, 256);
    AddLabel(this, nullptr, QStringLiteral("points:"), right + 262, 8);
    Label1 = AddElidingLabel(this, "Label1", QStringLiteral("0"), right + 262, 26, 80);
    AddLabel(this, "Label30", QStringLiteral("Message:"), right, 276);
    Label18 = AddElidingLabel(this, "Label18", QStringLiteral("Ready"), right + 60, 272, 290);
    Label18->setStyleSheet(QStringLiteral("color: red; background: #87CEEB; padding: 2px"));

    // Drawing list with its thumbnail.
    const int listTop = 318;
    AddLabel(this, "Label2", QStringLiteral(". .\\Drawing"), right, listTop - 18);
    FileListBox1 = new ShowFileList(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->SetMask(QStringLiteral("*.ddr"));
    FileListBox1->setGeometry(right, listTop, 170, 200);
    Image2 = new PreviewBox(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->move(right, listTop + 206);
    auto* findDrawing = AddButton(this, "skButton2", QStringLiteral("Find"), "edit-find", right, listTop + 340, 80);
    // The counts take the room beside the thumbnail up to the next column (or the window's edge).
    Label29 = AddPointCountLabel(this, "Label29", right + 134, listTop + 206, 44);

    // ILDA folder, list and browse preview.
    const int ilda = right + 180;
    AddLabel(this, "Label78", QStringLiteral(". .\\ILDAimage"), ilda, listTop - 18);
    DirectoryListBox1 = new FolderTree(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(ilda, listTop, 172, 80);
    connect(DirectoryListBox1, &FolderTree::FolderChosen, this, &TForm4::DirectoryListBox1Change);
    FileListBox2 = new ShowFileList(this);
    FileListBox2->setObjectName(QStringLiteral("FileListBox2"));
    FileListBox2->SetMask(QStringLiteral("*.ild"));
    FileListBox2->SetListedOffThread(true);
    FileListBox2->setGeometry(ilda, listTop + 84, 172, 116);
    Image3 = new PreviewBox(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->move(ilda, listTop + 206);
    Label6 = AddPointCountLabel(this, "Label6", ilda + 134, listTop + 206, 44);
    auto* findIlda = AddButton(this, "skButton3", QStringLiteral("Find"), "edit-find", ilda, listTop + 340, 76);
    skCheckBox1 = AddCheck(this, "skCheckBox1", QStringLiteral("Preview .ild"), ilda + 80, listTop + 344, 100);
    connect(skCheckBox1, &TskCheckBox::OnClick, this, [this] {
        ildaPreview_->SetActive(skCheckBox1->Checked());
        if (skCheckBox1->Checked() && FileListBox2->ItemIndex() >= 0)
            LoadIldaPreview();
    });

    connect(findDrawing, &TskButton::OnClick, this, &TForm4::FindDrawingClick);
    connect(findIlda, &TskButton::OnClick, this, &TForm4::FindIldaClick);
    connect(FileListBox1, &TskListBox::OnClick, this, &TForm4::LoadDrawingPreview);
    connect(FileListBox2, &TskListBox::OnClick, this, [this] {
        if (FileListBox2->ItemIndex() >= 0 && FileListBox2->Count() > 0 && skCheckBox1->Checked())
            LoadIldaPreview();
    });
    for (ShowFileList* list : {FileListBox1, FileListBox2}) {
        connect(list, &TskListBox::OnDblClick, this, [this, list] {
            if (list->ItemIndex() >= 0)
                ToolButton1Click();
        });
        connect(list, &ShowFileList::FileDeleteAttempted, this,
                [this, list](ShowFileList::DeleteOutcome outcome, const QString& failure) {
                    FileDeleted(list, outcome, failure);
                });
        list->installEventFilter(this);
    }
    skMemo1->installEventFilter(this);

    // Popups of the lists.
    skPopupMenu1 = new TskPopupMenu(this);
    skPopupMenu1->setObjectName(QStringLiteral("skPopupMenu1"));
    connect(skPopupMenu1->addAction(QStringLiteral("Edit")), &QAction::triggered, this, &TForm4::EditDrawingClick);
    skPopupMenu1->addSeparator();
    connect(skPopupMenu1->addAction(QStringLiteral("refresh")), &QAction::triggered, this,
            &TForm4::RefreshDrawingList);
    skPopupMenu2 = new TskPopupMenu(this);
    skPopupMenu2->setObjectName(QStringLiteral("skPopupMenu2"));
    connect(skPopupMenu2->addAction(QStringLiteral("Edit")), &QAction::triggered, this, &TForm4::EditIldaClick);
    skPopupMenu2->addSeparator();
    connect(skPopupMenu2->addAction(QStringLiteral("refresh")), &QAction::triggered, this, &TForm4::RefreshIldaList);
    for (auto [list, menu] : {std::pair{FileListBox1, skPopupMenu1}, std::pair{FileListBox2, skPopupMenu2}}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [list = list, menu = menu](const QPoint& at) { menu->popup(list->mapToGlobal(at)); });
    }

    // Timers through the time base.
    timer1_ = new TickTimer(this);
    timer2_ = new TickTimer(this);
    connect(timer1_, &TickTimer::timeout, this, &TForm4::Timer1Timer);
    connect(timer2_, &TickTimer::timeout, this, &TForm4::Timer2Timer);

    PlayPreviewBitmap.fill(Qt::black);
    ShowPreview();
    Image2->SetPicture(DrawDrawingPreview({}));
    Image3->SetPicture(DrawDrawingPreview({}));
}

// ---- file lists -------------------------------------------------------------

void TForm4::LoadDrawingPreview()
{
    const QString path = FileListBox1->SelectedPath();
    // A file that is gone keeps the old drawing (and its thumbnail).
    if (FileListBox1->ItemIndex() < 0 || !IsRegularFile(path))
        return;
    drawingPreviewPath_ = path;
    ShowDrawingThumbnail(ReadDrawingThumbnail(path), *Image2, *Label29, *Label18);
}

void TForm4::LoadIldaPreview()
{
    if (FileListBox2->ItemIndex() < 0)
        return;
    const QString message = ildaPreview_->LoadFile(FileListBox2->SelectedPath());
    if (!message.isEmpty())
        Label18->setText(message);
}

void TForm4::RefreshDrawingList()
{
    FileListBox1->RefreshKeepingSelection();
    if (FileListBox1->Count() > 0)
        LoadDrawingPreview();
}

void TForm4::RefreshIldaList()
{
    // Its folder may be on a mount that never answers: listed off the GUI thread.
    FileListBox2->RefreshOffThread([this] {
        if (FileListBox2->Count() > 0)
            LoadIldaPreview();
    });
}

void TForm4::RefreshFileLists()
{
    RefreshDrawingList();
    RefreshIldaList();
}

void TForm4::DirectoryListBox1Change(const QString& folder)
{
    // Listed off the GUI thread: a folder on a mount that never answers leaves
    // the window answering, its list empty. The latest choice wins.
    if (QDir::cleanPath(folder) == FileListBox2->Directory() && !FileListBox2->ListingPending())
        return;
    FileListBox2->ListOffThread(folder, [this](const QString& selectedBefore) {
        if (FileListBox2->Count() > 0 &&
            (selectedBefore.isEmpty() || FileListBox2->SelectByText(selectedBefore) < 0))
            FileListBox2->SetItemIndex(0);
        if (FileListBox2->Count() > 0)
            LoadIldaPreview();
        RevealIldaFolder();
    });
}

void TForm4::RevealIldaFolder()
{
    DirectoryListBox1->Reveal(FileListBox2->Directory());
}

void TForm4::FileDeleted(ShowFileList* list, ShowFileList::DeleteOutcome outcome, const QString& failure)
{
    if (outcome == ShowFileList::DeleteOutcome::Failed) {
        Label18->setText(failure);
        return;
    }
    if (list == FileListBox1) {
        if (outcome == ShowFileList::DeleteOutcome::Deleted)
            LoadDrawingPreview();
        return;
    }
    if (outcome == ShowFileList::DeleteOutcome::Deleted && skCheckBox1->Checked())
        LoadIldaPreview();
    if (outcome == ShowFileList::DeleteOutcome::DeletedLast) {
        // Set from code: runs no click handler.
        skCheckBox1->SetChecked(false);
        ildaPreview_->SetActive(false);
    }
}

void TForm4::FindDrawingClick()
{
    const FindOutcome outcome = FindInList(*FileListBox1, windows_.Dialog(), kFindDrawing);
    if (outcome == FindOutcome::Found)
        LoadDrawingPreview();
    else if (outcome == FindOutcome::NotFound)
        Label18->setText(kFindDrawing.notFound);
}

void TForm4::FindIldaClick()
{
    const FindOutcome outcome = FindInList(*FileListBox2, windows_.Dialog(), kFindIlda);
    if (outcome == FindOutcome::Found && skCheckBox1->Checked())
        LoadIldaPreview();
    else if (outcome == FindOutcome::NotFound)
        Label18->setText(kFindIlda.notFound);
}

void TForm4::EditDrawingClick()
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

void TForm4::EditIldaClick()
{
    TForm1* draw = windows_.Form1();
    if (!draw || FileListBox2->ItemIndex() < 0)
        return;
    if (FileResult result = EditIldaInDrawWindow(*draw, FileListBox2->SelectedPath()); !result) {
        // The Draw window comes to the front with what was read: the status line is out of sight.
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message);
    }
}

void TForm4::FontClick()
{
    // Opened on the face in use, so OK without a change keeps it ("Arial" is an alias
    // the chooser does not list).
    const QFont current = FontToOffer(font_, QString::fromStdString(glyphs_->ResolvedFamily(FontChoiceOf())));
    if (const std::optional<QFont> chosen = fontChooser_(this, current))
        font_ = ChosenFontKeepingFace(current, *chosen);
}

FontChoice TForm4::FontChoiceOf() const
{
    const int pixels =
        font_.pixelSize() > 0 ? font_.pixelSize() : static_cast<int>(std::lround(font_.pointSizeF() * 96.0 / 72.0));
    return {font_.family().toStdString(), std::max(pixels, 1), font_.bold(), font_.italic()};
}

// ---- window events -------------------------------------------------------------

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // Only the index: no click runs.
        if (watched == FileListBox1)
            skRadioGroup1->SetItemIndex(kDrawingMode);
        else if (watched == FileListBox2)
            skRadioGroup1->SetItemIndex(kIldaMode);
        else if (watched == skMemo1)
            skRadioGroup1->SetItemIndex(kTextMode);
    }
    return QWidget::eventFilter(watched, event);
}

void TForm4::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        LoadDrawingPreview();
    }
    FormActivate();
}

void TForm4::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    ildaPreview_->Stop();
}

void TForm4::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm4::FormActivate()
{
    controls_->ShowSendSpeed();
    if (skCheckBox2->Checked())
        RefreshFileLists();
    ildaPreview_->Start();
}

// ---- play ------------------------------------------------------------------------

void TForm4::StopClick()
{
    windows_.HandOver().stopAll();
}

bool TForm4::PrepareDrawingPlay()
{
    // Read now: the thumbnail keeps only its picture. Before any thumbnail, the selected drawing.
    const QString path = !drawingPreviewPath_.isEmpty() ? drawingPreviewPath_
                         : FileListBox1->ItemIndex() >= 0 ? FileListBox1->SelectedPath()
                                                          : QString();
    Drawing source;
    if (!path.isEmpty() && IsRegularFile(path)) {
        if (const FileResult read = ReadDrawingCatching(path, source); !read) {
            Label18->setText(read.message);
            return false;
        }
    }
    auto drawing = std::make_shared<const Drawing>(PrepareSectionDrawing(source));
    if (!source.empty())
        Label18->setText(QStringLiteral("drawing playing start..."));
    PlayDrawingList = drawing;
    windows_.HandOver().setPlayLoop(kModePlayDrawing, {[this, drawing] {
                                                           PlayLoopContext context{*sink_, live_, animation_,
                                                                                   PlayFrameTick};
                                                           PlayDrawingLoop(*drawing, context);
                                                       },
                                                       {}, this});
    return true;
}

bool TForm4::PrepareIldaPlay()
{
    if (!skCheckBox1->Checked() && FileListBox2->ItemIndex() >= 0 && IsRegularFile(FileListBox2->SelectedPath()))
        LoadIldaPreview();
    // An image without frames plays the previous ILDA play list again.
    // The play shares the image the preview read: no copy of it.
    if (auto frames = ::PrepareIldaPlay(ildaPreview_->SharedImage())) {
        Label18->setText(QStringLiteral("ILDAimage playing start..."));
        PlayIldaFrames = std::make_shared<const IldaPlayFrames>(std::move(*frames));
    }
    auto frames = PlayIldaFrames;
    windows_.HandOver().setPlayLoop(kModePlayIlda, {[this, frames] {
                                                        PlayLoopContext context{*sink_, live_, animation_,
                                                                                PlayFrameTick};
                                                        PlayIldaLoop(*frames, context);
                                                    },
                                                    {}, this});
    return true;
}

bool TForm4::PrepareTextPlay(bool vertical)
{
    Label18->setText(QStringLiteral("text playing start..."));
    const QStringList lines = skMemo1->Text().split(u'\n');
    const int TD = std::max(text_.TextCharWidthFactor.load(kRelaxed), 1);
    const int TE = std::max(text_.TextCharHeightFactor.load(kRelaxed), 1);
    auto units = std::make_shared<const Drawing>(
        vertical ? PrepareTextVertical(*glyphs_, lines, FontChoiceOf(), TD, TE, TextColourIndex)
                 : PrepareTextHorizontal(*glyphs_, lines, FontChoiceOf(), TD, TE, TextColourIndex));
    TextUnits = units;
    TextFrame.Publish(nullptr);
    auto loop = [this, units, vertical] {
        PlayLoopContext play{*sink_, live_, animation_, PlayFrameTick};
        TextLoopContext context{play, text_, TextFrame};
        if (vertical)
            PlayTextVerticalLoop(*units, context);
        else
            PlayTextHorizontalLoop(*units, context);
    };
    windows_.HandOver().setPlayLoop(vertical ? kModePlayTextVertical : kModePlayTextHorizontal, {loop, {}, this});
    return true;
}

void TForm4::ToolButton1Click()
{
    const int mode = std::clamp(skRadioGroup1->ItemIndex(), 0, 2);
    const bool vertical = skCheckBox4->Checked();
    const std::uint8_t threadMode = mode == kDrawingMode ? kModePlayDrawing
                                    : mode == kIldaMode  ? kModePlayIlda
                                    : vertical           ? kModePlayTextVertical
                                                         : kModePlayTextHorizontal;
    const PlayStart start = windows_.HandOver().startPlay(threadMode, [&] {
        playMode_ = mode;
        controls_->CopyToolButtonsToFlags();
        switch (mode) {
        case kDrawingMode: return PrepareDrawingPlay();
        case kIldaMode: return PrepareIldaPlay();
        default: return PrepareTextPlay(vertical);
        }
    });
    if (!start.started()) {
        if (!start.status.isEmpty())
            Label18->setText(start.status);
        return;
    }
    timer1_->setInterval(kPlayTimerFirst);
    timer1_->setEnabled(true);
    timer2_->setInterval(kPlayTimerFirst);
    timer2_->setEnabled(true);
}

void TForm4::Timer1Timer()
{
    if (playMode_ != kIldaMode && playMode_ != kTextMode)
        return;
    // The settings keep the frame time within 2..200; a value never loaded still ticks.
    timer1_->setInterval(std::max<int>(IldaFrameInterval.load(kRelaxed), 2));
    PlayFrameTick.store(1, kRelaxed);
}

void TForm4::ShowPreview()
{
    Image1->setPixmap(QPixmap::fromImage(PlayPreviewBitmap));
}

void TForm4::Timer2Timer()
{
    timer2_->setEnabled(false);
    timer2_->setInterval(playMode_ == kDrawingMode ? kDrawingPreviewInterval : timer1_->interval() / 2);
    // Another window's play is not this preview's: it counts as ended here.
    const bool running = PlayLoopRunning.load(kRelaxed) != 0 && windows_.HandOver().playOwner() == this;
    const EffectPhases phases = animation_.Load();
    if (playMode_ != kIldaMode)
        Label1->setText(QString::number(phases.SectionPointTotal));

    if (running && FrameChanged.load(kRelaxed) != 0) {
        FrameChanged.store(0, kRelaxed);
        PreviewFrame frame;
        frame.options = kPlayPreviewOptions;
        frame.params = live_.Snapshot();
        frame.phases = phases;
        frame.geometry = CurrentOutputGeometry();
        frame.maxPoints = std::int64_t{phases.SectionSlowDrawPrefix} + 1;
        if (frame.params.D < 1)
            frame.maxPoints = std::max<std::int64_t>(frame.maxPoints, phases.SectionPointTotal);
        std::shared_ptr<const Drawing> text;
        Drawing ildaDrawing;
        int ildaFrame = -1;
        if (playMode_ == kDrawingMode) {
            frame.drawing = PlayDrawingList.get();
        } else if (playMode_ == kIldaMode) {
            const int index = animation_.SectionRowIndex.load(kRelaxed);
            if (index >= 0 && std::size_t(index) < PlayIldaFrames->size()) {
                ildaFrame = index;
                ildaDrawing = (*PlayIldaFrames)[std::size_t(index)];
                frame.drawing = &ildaDrawing;
                Label1->setText(QString::number(PointTotal(*frame.drawing)));
            }
        } else {
            text = TextFrame.Load();
            frame.drawing = text.get();
        }
        RenderPreview(PlayPreviewBitmap, frame);
        if (ildaFrame >= 0)
            DrawRowNumber(PlayPreviewBitmap, ildaFrame + 1);
        ShowPreview();
    }

    if (running) {
        timer2_->setEnabled(true);
        return;
    }
    timer1_->setEnabled(false);
    static const QString kEnd[] = {QStringLiteral("drawing playing end..."), QStringLiteral("ILDAimage playing end..."),
                                   QStringLiteral("text playing end...")};
    Label18->setText(kEnd[std::clamp(playMode_, 0, 2)]);
}
