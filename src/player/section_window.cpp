#include "player/section_window.h"
#include "skin/form_controls.h"

#include "editor/draw_window.h"
#include "editor/edit_in_draw_window.h"
#include "model/drawing_file.h"
#include "model/section_file.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/tick_timer.h"
#include "player/drawing_preview.h"
#include "player/drawing_thumbnail.h"
#include "player/live_play_controls.h"
#include "player/offset_pad.h"
#include "player/play_preview.h"
#include "shell/dialogs.h"
#include "shell/new_file_names.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"
#include "skin/list_box.h"
#include "skin/menus/popup_menu.h"
#include "skin/grids/string_grid.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
const QString kNewSectionName = QStringLiteral("NewSection");

// Asked interval of the time base after its first firing; it rounds up to one system tick.
constexpr int kTickInterval = 2;
// The drawing thumbnails' side: their 128-pixel pictures are shown whole, scaled down.
constexpr int kThumbnailSide = 104;

QLabel* AddPicture(QWidget* parent, const char* name, int x, int y, int size)
{
    auto* image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(x, y, size, size);
    image->setStyleSheet(QStringLiteral("background: black"));
    return image;
}

// Columns wide enough for what the window's controls give a row: A (the play time) five
// digits, Q and R the offsets down to -256, the others three digits. A longer value typed
// into a cell is cut with "..." by the grid.
void SetSectionColumnWidths(TskStringGrid& grid)
{
    constexpr int kNameWidth = 134;
    constexpr int kNarrowest = 28;
    constexpr int kQ = 17;
    // The grid's text inset and a pixel on each side.
    constexpr int kInset = 4;
    const QFontMetrics metrics(grid.font());
    const auto room = [&](const char* widest) {
        return std::max(kNarrowest, metrics.horizontalAdvance(QLatin1String(widest)) + kInset);
    };
    grid.SetColWidths(0, kNameWidth);
    for (int c = 1; c < kSectionColumns; ++c)
        grid.SetColWidths(c, c == 1 ? room("99999") : c >= kQ ? room("-256") : room("999"));
}

QString Selected(const TskListBox* list)
{
    const int at = list->ItemIndex();
    return at >= 0 ? list->Item(at) : QString();
}

// The side of the thumbnail pictures of the drawing list and the selected row.
constexpr int kThumbnailPicture = 128;

QImage BlackThumbnail()
{
    QImage image(kThumbnailPicture, kThumbnailPicture, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

const QString kPartReadText =
    QStringLiteral("The rows before it are shown as a new section: save them under a name.");

}  // namespace

TForm5::TForm5(WindowRegistry& windows)
    : windows_(windows)
    , folders_(windows.ProgramFolder())
    , sink_(std::make_unique<DeviceFrameSink>())
{
    setWindowTitle(QStringLiteral("Section "));
    BuildForm();
    // The lists only: the selected drawing is read when the window is first shown.
    RefreshList(FileListBox1, DrawingFolder(), QStringLiteral("*.ddr"));
    RefreshList(FileListBox2, SectionFolder(), QStringLiteral("*.sec"));
    ShowGrid();
}

TForm5::~TForm5()
{
    // The loops read this window's lists and live values: join before they go.
    windows_.HandOver().stopAll();
}

void TForm5::SetFrameSink(std::unique_ptr<FrameSink> sink)
{
    sink_ = sink ? std::move(sink) : std::make_unique<DeviceFrameSink>();
}

QString TForm5::DrawingFolder() const
{
    return folders_.FolderPath(ShowFolder::Drawing);
}

QString TForm5::SectionFolder() const
{
    return folders_.FolderPath(ShowFolder::Section);
}

void TForm5::BuildForm()
{
    setFixedSize(1010, 680);

    // Section name and file commands.
    AddLabel(this, nullptr, QStringLiteral("Section name"), 8, 13);
    skEdit1 = new TskEdit(this);
    skEdit1->setObjectName(QStringLiteral("skEdit1"));
    skEdit1->setReadOnly(true);
    skEdit1->SetText(kNewSectionName);
    skEdit1->setGeometry(96, 8, 118, 24);
    auto* newButton = AddButton(this, "BitBtn4", QStringLiteral("New section"), "document-new", 246, 7, 112);
    auto* openButton = AddButton(this, "BitBtn17", QStringLiteral("Open section"), "document-open", 362, 7, 112);
    auto* saveButton = AddButton(this, "BitBtn5", QStringLiteral("Save Section"), "document-save", 478, 7, 108);
    auto* saveAsButton =
        AddButton(this, "BitBtn16", QStringLiteral("SaveAs Section"), "document-save-as", 590, 7, 118);
    PlaceButtonsInRow({newButton, openButton, saveButton, saveAsButton}, 220, 4);

    // The rows.
    skStringGrid1 = new TskStringGrid(this);
    skStringGrid1->setObjectName(QStringLiteral("skStringGrid1"));
    skStringGrid1->SetProgramRowGridLook();
    skStringGrid1->SetColCount(kSectionColumns);
    skStringGrid1->SetRowCount(2);
    skStringGrid1->SetFixedRows(1);
    skStringGrid1->SetFixedCols(0);
    skStringGrid1->SetDefaultRowHeight(20);
    SetSectionColumnWidths(*skStringGrid1);
    skStringGrid1->SetOptions(skStringGrid1->Options() | TGridOption::goEditing | TGridOption::goRowMoving |
                              TGridOption::goFixedVertLine | TGridOption::goFixedHorzLine | TGridOption::goVertLine |
                              TGridOption::goHorzLine);
    skStringGrid1->setGeometry(8, 40, 700, 196);
    skStringGrid1->SetRows(0, SectionGridHeadings());
    connect(skStringGrid1, &TskCustomGrid::OnSetEditText, this, [this](int col, int row, const QString& text) {
        grid_.SetCell(col, row, text);
        // A drawing typed into the chosen row: the preview follows.
        if (col == 0 && row == SelectedGridRow())
            GridRowSelected(row);
    });
    connect(skStringGrid1, &TskCustomGrid::OnRowMoved, this, [this](int from, int to) {
        grid_.MoveRow(from, to);
        ShowGrid();
    });
    connect(skStringGrid1, &TskCustomGrid::OnClick, this, [this] { GridRowSelected(skStringGrid1->Row()); });
    skPopupMenu3 = new TskPopupMenu(this);
    skPopupMenu3->setObjectName(QStringLiteral("skPopupMenu3"));
    connect(skPopupMenu3->addAction(QStringLiteral("Remove")), &QAction::triggered, this, &TForm5::RemoveClick);
    skStringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(skStringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { skPopupMenu3->popup(skStringGrid1->mapToGlobal(at)); });

    // Row commands.
    AddLabel(this, nullptr, QStringLiteral("A Play_time"), 8, 248);
    skEdit2 = new TskEdit(this);
    skEdit2->setObjectName(QStringLiteral("skEdit2"));
    skEdit2->SetText(QStringLiteral("300"));
    skEdit2->setGeometry(80, 243, 56, 24);
    auto* addButton = AddButton(this, "BitBtn1", QStringLiteral("Add         "), "list-add", 146, 242, 96);
    auto* insertButton = AddButton(this, "BitBtn15", QStringLiteral("Insert       "), "list-add", 246, 242, 96);
    auto* removeButton = AddButton(this, "BitBtn2", QStringLiteral("Remove"), "list-remove", 346, 242, 96);
    auto* upButton = AddButton(this, "skButton3", QStringLiteral("Move Up   "), "go-up", 446, 242, 96);
    auto* downButton = AddButton(this, "skButton4", QStringLiteral("MoveDown"), "go-down", 546, 242, 104);

    // Live play controls.
    controls_ = new LivePlayControls(SectionLiveParameters, LivePlayControls::Extras::ManualColour, kSectionControlTexts, this);
    controls_->move(8, 278);
    connect(controls_, &LivePlayControls::PlayClicked, this, &TForm5::StartSectionPlay);
    connect(controls_, &LivePlayControls::StopClicked, this, &TForm5::StopClick);
    connect(controls_, &LivePlayControls::SettingsClicked, this, [this] {
        for (QWidget* w : windows_.Windows())
            if (w->windowTitle() == QLatin1String("settings")) {
                w->show();
                w->raise();
            }
    });

    // Play preview and offset pad.
    Image1 = AddPicture(this, "Image1", 720, 8, 208);
    AddLabel(this, nullptr, QStringLiteral("points:"), 720, 220);
    Label31 = AddElidingLabel(this, "Label31", QStringLiteral("0"), 766, 220, 60);
    Image4 = new LiveOffsetPad(this);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->move(720, 252);
    AddLabel(this, nullptr, QStringLiteral("Q  X_Offset "), 830, 254);
    Label67 = AddLabel(this, "Label67", QStringLiteral("0"), 920, 254, 50);
    AddLabel(this, nullptr, QStringLiteral("R Y_Offset "), 830, 276);
    Label68 = AddLabel(this, "Label68", QStringLiteral("0"), 920, 276, 50);
    auto* resetButton = AddButton(this, "skButton5", QStringLiteral("Reset To 0"), nullptr, 830, 300, 100, 24);
    connect(Image4, &LiveOffsetPad::Moved, this, [this](std::int32_t q, std::int32_t r) {
        SectionLiveParameters.Q.store(q, kRelaxed);
        SectionLiveParameters.R.store(r, kRelaxed);
        Label67->setText(QString::number(q));
        Label68->setText(QString::number(r));
    });
    connect(resetButton, &TskButton::OnClick, Image4, &LiveOffsetPad::Reset);

    // Message line: under the parameters, the window's width and two lines
    // tall, so refusals and read errors show whole (longer ones on hover).
    AddLabel(this, "Label30", QStringLiteral("Message:"), 8, 598);
    Label18 = AddElidingLabel(this, "Label18", QStringLiteral("Auto create a new section"), 72, 592, 636);
    Label18->setStyleSheet(QStringLiteral("color: red; background: #87CEEB; padding: 2px"));
    Label18->setWordWrap(true);
    Label18->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label18->setFixedHeight(2 * Label18->fontMetrics().lineSpacing() + 6);

    // Drawing list with its preview.
    AddLabel(this, "Label2", QStringLiteral("..\\Drawing"), 720, 392);
    FileListBox1 = new TskListBox(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setGeometry(720, 410, 138, 150);
    image2_ = new PreviewBox(this, kThumbnailSide);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->move(720, 566);
    // The counts take the room between the thumbnail and the next list (or the window's edge).
    Label6 = AddPointCountLabel(this, "Label6", 826, 640, 38);
    auto* playDrawingButton = AddButton(this, "BitBtn28", QString(), "media-playback-start", 828, 566, 30, 30);
    playDrawingButton->setToolTip(QStringLiteral("play the drawing"));
    auto* findDrawing = AddButton(this, "skButton1", QStringLiteral("Find"), "edit-find", 828, 600, 30, 30);
    findDrawing->SetCaption(QString());
    findDrawing->setToolTip(QStringLiteral("Find"));

    // Section list, the row preview.
    AddLabel(this, "Label1", QStringLiteral("..\\Section"), 866, 392);
    FileListBox2 = new TskListBox(this);
    FileListBox2->setObjectName(QStringLiteral("FileListBox2"));
    FileListBox2->setGeometry(866, 410, 138, 150);
    image3_ = new PreviewBox(this, kThumbnailSide);
    image3_->setObjectName(QStringLiteral("Image3"));
    image3_->move(866, 566);
    Label29 = AddPointCountLabel(this, "Label29", 972, 640, 36);
    auto* findSection = AddButton(this, "skButton2", QString(), "edit-find", 974, 566, 30, 30);
    findSection->setToolTip(QStringLiteral("Find"));

    skCheckBox2 = new TskCheckBox(this);
    skCheckBox2->setObjectName(QStringLiteral("skCheckBox2"));
    skCheckBox2->SetCaption(QStringLiteral("Auto refresh file list"));
    skCheckBox2->setGeometry(830, 334, 175, 17);
    connect(skCheckBox2, &TskCheckBox::OnClick, this, [this] {
        if (skCheckBox2->Checked())
            RefreshFileLists();
    });

    // Popups of the lists.
    skPopupMenu2 = new TskPopupMenu(this);
    skPopupMenu2->setObjectName(QStringLiteral("skPopupMenu2"));
    connect(skPopupMenu2->addAction(QStringLiteral("Add")), &QAction::triggered, this, &TForm5::AddClick);
    connect(skPopupMenu2->addAction(QStringLiteral("Insert")), &QAction::triggered, this, &TForm5::InsertClick);
    connect(skPopupMenu2->addAction(QStringLiteral("Play")), &QAction::triggered, this,
            &TForm5::StartSectionDrawingPlay);
    connect(skPopupMenu2->addAction(QStringLiteral("Refresh")), &QAction::triggered, this,
            [this] { RefreshList(FileListBox1, DrawingFolder(), QStringLiteral("*.ddr")); DrawingListChanged(); });
    connect(skPopupMenu2->addAction(QStringLiteral("Delete")), &QAction::triggered, this,
            [this] { DeleteSelectedFile(FileListBox1); });
    skPopupMenu1 = new TskPopupMenu(this);
    skPopupMenu1->setObjectName(QStringLiteral("skPopupMenu1"));
    connect(skPopupMenu1->addAction(QStringLiteral("Play")), &QAction::triggered, this, &TForm5::StartSectionPlay);
    connect(skPopupMenu1->addAction(QStringLiteral("Open")), &QAction::triggered, this, &TForm5::OpenSectionClick);
    connect(skPopupMenu1->addAction(QStringLiteral("Edit")), &QAction::triggered, this, &TForm5::EditDrawingClick);
    connect(skPopupMenu1->addAction(QStringLiteral("Refresh")), &QAction::triggered, this,
            [this] { RefreshList(FileListBox2, SectionFolder(), QStringLiteral("*.sec")); });
    connect(skPopupMenu1->addAction(QStringLiteral("Delete")), &QAction::triggered, this,
            [this] { DeleteSelectedFile(FileListBox2); });
    for (auto [list, menu] : {std::pair{FileListBox1, skPopupMenu2}, std::pair{FileListBox2, skPopupMenu1}}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [list = list, menu = menu](const QPoint& at) { menu->popup(list->mapToGlobal(at)); });
        list->installEventFilter(this);
    }
    connect(FileListBox1, &TskListBox::OnClick, this, &TForm5::DrawingListChanged);
    connect(FileListBox1, &TskListBox::OnDblClick, this, &TForm5::StartSectionDrawingPlay);
    connect(FileListBox2, &TskListBox::OnDblClick, this, &TForm5::StartSectionPlay);

    // Commands.
    connect(newButton, &TskButton::OnClick, this, &TForm5::NewSectionClick);
    connect(openButton, &TskButton::OnClick, this, &TForm5::OpenSectionClick);
    connect(saveButton, &TskButton::OnClick, this, &TForm5::SaveSectionClick);
    connect(saveAsButton, &TskButton::OnClick, this, &TForm5::SaveAsSectionClick);
    connect(addButton, &TskButton::OnClick, this, &TForm5::AddClick);
    connect(insertButton, &TskButton::OnClick, this, &TForm5::InsertClick);
    connect(removeButton, &TskButton::OnClick, this, &TForm5::RemoveClick);
    connect(upButton, &TskButton::OnClick, this, &TForm5::MoveUpClick);
    connect(downButton, &TskButton::OnClick, this, &TForm5::MoveDownClick);
    connect(findDrawing, &TskButton::OnClick, this, &TForm5::FindDrawingClick);
    connect(findSection, &TskButton::OnClick, this, &TForm5::FindSectionClick);
    connect(playDrawingButton, &TskButton::OnClick, this, &TForm5::StartSectionDrawingPlay);

    // Timers through the time base.
    timer1_ = new TickTimer(this);
    timer2_ = new TickTimer(this);
    connect(timer1_, &TickTimer::timeout, this, [this] {
        timer1_->setInterval(kTickInterval);
        SectionTick.store(1, kRelaxed);
    });
    connect(timer2_, &TickTimer::timeout, this, &TForm5::Timer2Timer);

    preview_.fill(Qt::black);
    ShowPreview(preview_);
    image2_->SetPicture(BlackThumbnail());
    image3_->SetPicture(BlackThumbnail());
}

// ---- file lists -------------------------------------------------------------

void TForm5::RefreshList(TskListBox* list, const QString& folder, const QString& mask)
{
    const QString selected = list->ItemIndex() >= 0 ? Selected(list) : QString();
    QDir dir(folder);
    dir.setNameFilters({mask});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    list->SetItems(dir.entryList());
    const int at = selected.isEmpty() ? -1 : list->IndexOf(selected);
    list->SetItemIndex(at >= 0 ? at : (list->Count() > 0 ? 0 : -1));
}

void TForm5::RefreshFileLists()
{
    RefreshList(FileListBox1, DrawingFolder(), QStringLiteral("*.ddr"));
    DrawingListChanged();
    RefreshList(FileListBox2, SectionFolder(), QStringLiteral("*.sec"));
}

void TForm5::DrawingListChanged()
{
    DrawingThumbnail thumbnail{BlackThumbnail(), 0, {}};
    if (FileListBox1->ItemIndex() >= 0) {
        const QString path = DrawingFolder() + u'/' + Selected(FileListBox1);
        if (IsRegularFile(path))
            thumbnail = ReadDrawingThumbnail(path, DrawThumbnailPaths, kThumbnailPicture);
    }
    ShowDrawingThumbnail(thumbnail, *image2_, *Label6, *Label18);
}

void TForm5::GridRowSelected(int row)
{
    // No row chosen (or a row without a drawing) shows an empty preview, never an old row's.
    DrawingThumbnail thumbnail{BlackThumbnail(), 0, {}};
    const QString name = row >= 1 && row <= grid_.RowCount() ? grid_.Cell(0, row) : QString();
    if (const auto file = name.isEmpty() ? std::nullopt : folders_.FindFile(ShowFolder::Drawing, name))
        thumbnail = ReadDrawingThumbnail(*file, DrawThumbnailPaths, kThumbnailPicture);
    ShowDrawingThumbnail(thumbnail, *image3_, *Label29, *Label18);
}

void TForm5::DeleteSelectedFile(TskListBox* list)
{
    const int at = list->ItemIndex();
    if (at < 0 || list->Count() == 0)
        return;
    const QString folder = list == FileListBox1 ? DrawingFolder() : SectionFolder();
    QFile::remove(folder + u'/' + Selected(list));
    list->SetItemIndex(-1);
    RefreshList(list, folder, list == FileListBox1 ? QStringLiteral("*.ddr") : QStringLiteral("*.sec"));
    if (list->Count() > 0)
        list->SetItemIndex(std::min(at, list->Count() - 1));
    if (list == FileListBox1)
        DrawingListChanged();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (watched == FileListBox1 || watched == FileListBox2) {
            DeleteSelectedFile(static_cast<TskListBox*>(watched));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm5::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        DrawingListChanged();
    }
    FormActivate();
}

void TForm5::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm5::FormActivate()
{
    controls_->ShowSendSpeed();
    if (skCheckBox2->Checked())
        RefreshFileLists();
}

// ---- grid commands ------------------------------------------------------------

void TForm5::ShowGrid()
{
    skStringGrid1->SetRowCount(grid_.RowCount() + 1);
    for (int r = 1; r <= grid_.RowCount(); ++r)
        skStringGrid1->SetRows(r, grid_.Row(r));
    skStringGrid1->viewport()->update();
    // The rows changed under the chosen one: the row preview follows.
    GridRowSelected(SelectedGridRow());
}

int TForm5::SelectedGridRow() const
{
    const int row = skStringGrid1->Row();
    return row >= 1 && row <= grid_.RowCount() ? row : 0;
}

bool TForm5::GridCommandAllowed() const
{
    return !skEdit1->Text().trimmed().isEmpty();
}

bool TForm5::EndCellEdit()
{
    const auto refused = skStringGrid1->CommitEditor(
        [this](int col, int row, const QString& text) { return grid_.CellProblem(col, row, text); });
    if (refused)
        windows_.Dialog().Message(this, windowTitle(), *refused);
    return !refused;
}

std::optional<QStringList> TForm5::NewRow()
{
    const QString name = FileListBox1->ItemIndex() >= 0 ? Selected(FileListBox1) : QString();
    QString error;
    auto cells = NewRowCells(name, skEdit2->Text(), SectionLiveParameters.Snapshot(), controls_->SendSpeedPosition(), &error);
    if (!cells)
        windows_.Dialog().Message(this, windowTitle(), error);
    return cells;
}

void TForm5::AddClick()
{
    if (!EndCellEdit() || !GridCommandAllowed())
        return;
    if (auto cells = NewRow()) {
        grid_.Add(*cells);
        ShowGrid();
    }
}

void TForm5::InsertClick()
{
    if (!EndCellEdit() || !GridCommandAllowed())
        return;
    auto cells = NewRow();
    if (!cells)
        return;
    const bool placeholder = grid_.RowCount() == 1 && grid_.Cell(0, 1).isEmpty();
    const int row = SelectedGridRow();
    if (!placeholder && row == 0)
        return;
    if (auto error = grid_.Insert(placeholder ? 1 : row, *cells)) {
        windows_.Dialog().Message(this, windowTitle(), *error);
        return;
    }
    ShowGrid();
    if (!placeholder)
        Label18->setText(QStringLiteral("Insert one row"));
}

void TForm5::RemoveClick()
{
    if (!EndCellEdit() || !GridCommandAllowed())
        return;
    const int row = SelectedGridRow();
    if (row == 0)
        return;
    const bool single = grid_.RowCount() == 1;
    if (auto error = grid_.Remove(row)) {
        windows_.Dialog().Message(this, windowTitle(), *error);
        return;
    }
    ShowGrid();
    if (!single)
        Label18->setText(QStringLiteral("Remove one row..."));
}

void TForm5::MoveUpClick()
{
    if (!EndCellEdit() || !GridCommandAllowed())
        return;
    const int row = SelectedGridRow();
    if (grid_.MoveUp(row)) {
        skStringGrid1->SetRow(row - 1);
        ShowGrid();
    }
}

void TForm5::MoveDownClick()
{
    if (!EndCellEdit() || !GridCommandAllowed())
        return;
    const int row = SelectedGridRow();
    if (grid_.MoveDown(row)) {
        skStringGrid1->SetRow(row + 1);
        ShowGrid();
    }
}

// ---- section files --------------------------------------------------------------

void TForm5::NewSectionClick()
{
    const auto name = AskNewFileName(windows_.Dialog(), this, QStringLiteral("Create new section"),
                                     QStringLiteral("new secton name"), *Label18);
    if (!name)
        return;
    // Looked up as typed and as Save will name the file, so a later Save never replaces it unasked.
    if (FileListBox2->IndexOf(*name) >= 0 || IsRegularFile(SectionFolder() + u'/' + SectionFileName(*name))) {
        Label18->setText(QStringLiteral("section name have already exists,create failure!"));
        return;
    }
    // What is still being typed belongs to the rows that go.
    skStringGrid1->DropEditor();
    grid_.ResetToPlaceholder();
    ShowGrid();
    skEdit1->SetText(*name);
    Label18->setText(QStringLiteral("create a new section..."));
}

void TForm5::OpenSectionClick()
{
    if (FileListBox2->ItemIndex() < 0)
        return;
    const QString file = Selected(FileListBox2);
    const QString path = SectionFolder() + u'/' + file;
    if (!IsRegularFile(path))
        return;
    std::vector<TSectionRecord> EditRows;
    const ShowTextRead read = ReadSectionFile(path, EditRows, folders_);
    if (read.extent == ShowTextRead::Extent::Unchanged) {
        // The name and the rows stay as they were: a later Save cannot write them over this file.
        windows_.Dialog().Message(this, windowTitle(), read.message);
        return;
    }
    std::vector<QStringList> rows;
    for (const TSectionRecord& r : EditRows)
        rows.push_back(RowCells(r));
    // What is still being typed belongs to the rows that go.
    skStringGrid1->DropEditor();
    grid_.SetRows(std::move(rows));
    skStringGrid1->SetRow(1);
    ShowGrid();
    if (read.extent == ShowTextRead::Extent::Part) {
        // Only the file read whole names the section: Save asks for a name and asks before replacing.
        skEdit1->SetText(kNewSectionName);
        Label18->setText(read.message);
        windows_.Dialog().Message(this, windowTitle(), read.message + u'\n' + kPartReadText);
        return;
    }
    skEdit1->SetText(file.left(file.size() - 4));
    // A message left by an earlier Open is no longer true.
    Label18->setText(read.message);
    if (!read)
        windows_.Dialog().Message(this, windowTitle(), read.message);
}

void TForm5::SaveSectionClick()
{
    if (!EndCellEdit())
        return;
    QString name = skEdit1->Text().trimmed();
    bool armed = false;
    if (name == kNewSectionName) {
        const auto answer =
            windows_.Dialog().InputText(this, QStringLiteral("save section"), QStringLiteral("section name"), QString());
        if (!answer || answer->trimmed().isEmpty())
            return;
        name = answer->trimmed();
        armed = true;
    }
    SaveUnder(name, armed, QStringLiteral("save section..."));
}

void TForm5::SaveAsSectionClick()
{
    if (!EndCellEdit())
        return;
    const auto answer =
        windows_.Dialog().InputText(this, QStringLiteral("save as section"), QStringLiteral("section name"), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString name = answer->trimmed();
    // A section never saved has no file of its own, whatever its name.
    const QString current = skEdit1->Text().trimmed();
    SaveUnder(name, name != current || current == kNewSectionName, QStringLiteral("save as sectioin..."));
}

void TForm5::SaveUnder(const QString& name, bool armed, const QString& doneText)
{
    if (name.isEmpty())
        return;
    if (const auto problem = armed ? NewFileNameProblem(name) : std::nullopt) {
        Label18->setText(*problem);
        return;
    }
    const QString file = SectionFileName(name);
    const QString path = SectionFolder() + u'/' + file;
    if (armed && IsRegularFile(path)) {
        if (windows_.Dialog().Question(this, windowTitle(),
                                       QStringLiteral("This section name have already exists,replace it?")) !=
            Dialogs::Answer::Yes)
            return;
    }
    QDir().mkpath(SectionFolder());
    if (FileResult result = WriteSectionFile(path, grid_); !result) {
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message);
        return;
    }
    skEdit1->SetText(name);
    RefreshList(FileListBox2, SectionFolder(), QStringLiteral("*.sec"));
    FileListBox2->SetItemIndex(FileListBox2->IndexOf(file));
    Label18->setText(doneText);
}

void TForm5::EditDrawingClick()
{
    // The drawing chosen in the drawing list, not the section.
    TForm1* draw = windows_.Form1();
    if (!draw || FileListBox1->ItemIndex() < 0)
        return;
    const QString path = DrawingFolder() + u'/' + Selected(FileListBox1);
    if (FileResult result = EditDrawingInDrawWindow(*draw, path); !result) {
        // As Open_D does: a box the operator cannot miss, and the status line.
        Label18->setText(result.message);
        windows_.Dialog().Message(this, windowTitle(), result.message);
    }
}

void TForm5::FindDrawingClick()
{
    const auto answer = windows_.Dialog().InputText(this, QStringLiteral("find drawing"),
                                                    QStringLiteral("drawing name"), QStringLiteral("drawing1"));
    if (!answer)
        return;
    const int at = FileListBox1->IndexOf(WithExtension(*answer, QStringLiteral(".ddr")));
    if (at < 0) {
        Label18->setText(QStringLiteral("this drawing have not been found!"));
        return;
    }
    FileListBox1->SetItemIndex(at);
    DrawingListChanged();
}

void TForm5::FindSectionClick()
{
    const auto answer = windows_.Dialog().InputText(this, QStringLiteral("find section"),
                                                    QStringLiteral("section name"), QStringLiteral("Section1"));
    if (!answer)
        return;
    const int at = FileListBox2->IndexOf(WithExtension(*answer, QStringLiteral(".sec")));
    if (at < 0) {
        Label18->setText(QStringLiteral("this section have not been found!"));
        return;
    }
    FileListBox2->SetItemIndex(at);
}
