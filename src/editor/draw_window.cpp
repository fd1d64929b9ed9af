#include "editor/draw_window.h"
#include "skin/window_frame.h"

#include "editor/canvas_painter.h"
#include "editor/draw_canvas.h"
#include "editor/draw_play_panel.h"
#include "editor/frame_pages_panel.h"
#include "editor/palette_grid_panel.h"
#include "editor/plot_import_window.h"
#include "editor/rotation_window.h"
#include "editor/text_window.h"
#include "editor/up_down.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"
#include "skin/skin_form.h"
#include "skin/tool_bar.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace {

constexpr int kWindowWidth = 1011;
constexpr int kWindowHeight = 719;
constexpr TColor kFrameColor = 15198183;
constexpr int kMargin = 8;
// Columns: the canvas, the settings and palette, the frame pages.
constexpr int kCanvasLeft = kMargin;
constexpr int kMiddleLeft = kCanvasLeft + 512 + kMargin;
constexpr int kMiddleWidth = 150;
constexpr int kRightLeft = kMiddleLeft + kMiddleWidth + kMargin;
constexpr int kToolRowHeight = 30;
constexpr int kCommandWidth = 125;
constexpr int kCommandsPerRow = 4;
constexpr int kCommandHeight = 26;
constexpr int kCommandPitchX = kCommandWidth + 3;
constexpr int kCommandPitchY = kCommandHeight + 3;
constexpr int kPlayAreaHeight = 262;
// The settings column: two number fields, then a column of full-width buttons.
constexpr int kSettingsButtonsTop = 58;
constexpr int kSettingsButtons = 5;
constexpr int kSidesMin = 3;
constexpr int kDistanceMin = 1;
constexpr int kUpDownMax = 100;

struct ToolEntry {
    int mode;
    const char* name;
    const char* caption;
    const char* icon;
};

// Shape tools, then the selection and point tools, in the order of the tool bar.
constexpr ToolEntry kTools[] = {
    {Tool::TwoPointLine, "BitBtn27", "2P Line", "zarn-line"},
    {Tool::MultiPointLine, "skButton12", "MP Line", "zarn-polyline"},
    {Tool::Arc, "skButton14", "3P Arc", "zarn-arc"},
    {Tool::Ellipse, "skButton15", "Ellipse", "zarn-ellipse"},
    {Tool::Rectangle, "skButton16", "4P Rect", "zarn-rectangle"},
    {Tool::MultiPointRectangle, "skButton17", "MP Rect", "zarn-rectangle-points"},
    {Tool::Polygon, "skButton18", "Polygon", "zarn-polygon"},
    {Tool::MultiPointPolygon, "skButton19", "MPolygon", "zarn-polygon-points"},
    {Tool::Point, "skButton13", "Point", "zarn-point"},
    {Tool::SelectPoints, "skButton21", "Select_P", "zarn-select-box"},
    {Tool::SelectObjects, "skButton22", "Select_O", "zarn-select-object"},
    {Tool::MovePoint, "BitBtn12", "Mov point", "zarn-move-points"},
    {Tool::AddPoint, "BitBtn13", "Add point", "zarn-insert-point"},
    {Tool::LineColour, "BitBtn15", "L_Color_Change", "zarn-line-colour"},
    {Tool::LineBlanking, "skButton23", "Line_Blanking", "zarn-blanking"},
    {Tool::MoveObjects, "BitBtn7", "Move_O", "transform-move"},
    {Tool::ScaleObjects, "BitBtn8", "Scale_O", "zarn-scale"},
    {Tool::PickColour, "skButton29", "Pick colour", "color-picker"},
};

void SetUpFrame(TskForm& frame)
{
    SetUpWindowFrame(frame, TskUIStyle::Crystal, kFrameColor, QStringLiteral("Draw"));
}

QImage IconImage(const char* name, int size)
{
    return SkinIcon(QString::fromLatin1(name)).pixmap(size, size).toImage();
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = -1)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    if (width > 0)
        label->resize(width, 18);
    return label;
}

QWidget* AddArea(QWidget* parent, const char* name, const QRect& rect)
{
    auto* area = new QWidget(parent);
    area->setObjectName(QLatin1String(name));
    area->setGeometry(rect);
    return area;
}

}  // namespace

TForm1::TForm1(WindowRegistry& windows) : QWidget(nullptr, Qt::Window), m_windows(windows)
{
    BuildControls();
    LoadSettings();
    BuildPanels();
    m_label1->setText(QStringLiteral("Auto create a new drawing"));
    m_label8->setText(QStringLiteral("newdrawing"));
    RedrawDrawing();
}

TForm1::~TForm1()
{
    m_image90->SetGrab(false);
    // Its play loop is stopped and joined through the hand-over before the document goes.
    delete m_playPanel;
    m_playPanel = nullptr;
}

void TForm1::BuildPanels()
{
    DrawPanelHooks hooks{[this](const QString& text) { SetStatus(text); },
                         [this](const QString& text) { SetFileNameLabel(text); }, [this] { RedrawDrawing(); }};
    m_framePages = new FramePagesPanel(m_windows, m_document, hooks, m_framePagesArea);
    m_palette = new PaletteGridPanel(m_windows, m_document, hooks, m_paletteArea);
    m_palette->resize(m_paletteArea->size());
    m_playPanel = new DrawPlayPanel(m_windows, m_document, m_framePages->Pages(), hooks, m_playArea);
    m_framePages->PlaceExchangeBar(m_playArea, QPoint(DrawPlayPanel::kColumnLeft, DrawPlayPanel::kFreeTop + 8));
    connect(this, &TForm1::CurrentColorPicked, m_palette, &PaletteGridPanel::ShowPaletteIndex);
}

void TForm1::LoadSettings()
{
    const SettingsFile& settings = m_windows.Settings();
    m_document.BackColor = settings.value(kBackColorSetting);
    m_document.BlankColor = settings.value(kBlankColorSetting);
    m_document.GridStepX = settings.value(kGridStepXSetting);
    m_document.GridStepY = settings.value(kGridStepYSetting);
    m_document.PointDistance = settings.value(kPointDistanceSetting);
    m_document.PolygonSides = settings.value(kPolygonSidesSetting);
    m_edit2->setText(QString::number(m_document.PointDistance));
    m_upDown2->SetPosition(m_document.PointDistance);
    m_edit1->setText(QString::number(m_document.PolygonSides));
    m_upDown1->SetPosition(m_document.PolygonSides);
}

void TForm1::BuildControls()
{
    setWindowTitle(QStringLiteral("Draw"));
    // A narrow face keeps the command captions whole on their buttons.
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(12);
    setFont(face);
    m_skForm1 = new TskForm(this, TFormBorderStyle::bsSingle);
    m_skForm1->setObjectName(QStringLiteral("skForm1"));
    SetUpFrame(*m_skForm1);
    // After the frame, which sizes its host to itself.
    setFixedSize(kWindowWidth, kWindowHeight);
    QWidget* frame = m_skForm1;
    const int top = m_skForm1->TitleBar().height() + 4;
    const int bottom = kWindowHeight - 2 - kMargin;

    BuildToolBar(frame, top);
    const int canvasTop = top + kToolRowHeight + 4;
    m_image90 = new DrawCanvas(frame);
    m_image90->setObjectName(QStringLiteral("Image90"));
    m_image90->move(kCanvasLeft, canvasTop);
    BuildStatusLine(frame, canvasTop + 512 + 4);
    BuildCommands(frame, canvasTop + 512 + 44);
    BuildSettings(frame, canvasTop);

    const int playTop = bottom - kPlayAreaHeight;
    const int paletteTop = canvasTop + kSettingsButtonsTop + kSettingsButtons * kCommandPitchY + 6;
    m_paletteArea = AddArea(frame, "PaletteArea", QRect(kMiddleLeft, paletteTop, kMiddleWidth, playTop - kMargin - paletteTop));
    // The pages start a little higher than the rest, so their label line is as tall as its text.
    const int pagesTop = top - 3;
    m_framePagesArea = AddArea(frame, "FramePagesArea", QRect(kRightLeft, pagesTop, kWindowWidth - kMargin - kRightLeft,
                                                              playTop - kMargin - pagesTop));
    m_playArea = AddArea(frame, "PlayArea", QRect(kMiddleLeft, playTop, kWindowWidth - kMargin - kMiddleLeft, kPlayAreaHeight));

    connect(m_image90, &DrawCanvas::MouseDown, this, &TForm1::Image90MouseDown);
    connect(m_image90, &DrawCanvas::MouseMove, this, &TForm1::Image90MouseMove);
    connect(m_image90, &DrawCanvas::MouseUp, this, &TForm1::Image90MouseUp);
}

void TForm1::BuildToolBar(QWidget* frame, int top)
{
    auto glyphButton = [frame, top](const char* name, const char* icon, const QString& caption, int x, int width) {
        auto* button = new TskButton(frame);
        button->setObjectName(QLatin1String(name));
        button->SetGlyph(IconImage(icon, 16));
        button->SetCaption(caption);
        button->setGeometry(x, top + 1, width, 28);
        return button;
    };
    TskButton* undo = glyphButton("skButton32", "edit-undo", QString(), kCanvasLeft, 32);
    undo->setToolTip(QStringLiteral("Undo"));
    TskButton* redo = glyphButton("skButton33", "edit-redo", QString(), kCanvasLeft + 35, 32);
    redo->setToolTip(QStringLiteral("Redo"));
    TskButton* newDrawing = glyphButton("BitBtn1", "document-new", QStringLiteral("New_D"), kCanvasLeft + 72, 78);
    newDrawing->setToolTip(QStringLiteral("New drawing"));
    connect(undo, &TskButton::OnClick, this, &TForm1::skButton32Click);
    connect(redo, &TskButton::OnClick, this, &TForm1::skButton33Click);
    connect(newDrawing, &TskButton::OnClick, this, &TForm1::BitBtn1Click);

    m_toolBar1 = new TskToolBar(frame);
    m_toolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar1->SetButtonWidth(27);
    m_toolBar1->SetButtonHeight(28);
    ToolImageList images(22, 22);
    for (const ToolEntry& tool : kTools)
        images.Add(IconImage(tool.icon, 22));
    m_toolBar1->SetImages(images);
    int index = 0;
    int width = 0;
    for (const ToolEntry& tool : kTools) {
        if (tool.mode == Tool::SelectPoints) {
            m_toolBar1->AddButton(TToolButtonStyle::tbsDivider);
            width += TskToolBar::kSeparatorWidth;
        }
        TskToolButton* button = m_toolBar1->AddButton(TToolButtonStyle::tbsCheck, index++);
        button->setObjectName(QLatin1String(tool.name));
        button->SetCaption(QString::fromLatin1(tool.caption));
        button->setToolTip(QString::fromLatin1(tool.caption));
        const int mode = tool.mode;
        connect(button, &TskToolButton::OnClick, this, [this, mode] { ToolButtonClick(mode); });
        m_toolButtons[mode] = button;
        width += 27;
    }
    m_toolBar1->setGeometry(kCanvasLeft + 158, top, width + 4, kToolRowHeight);
}

void TForm1::BuildStatusLine(QWidget* frame, int top)
{
    // Each value sits right after its caption.
    auto pair = [frame](const char* captionName, const QString& caption, const char* valueName, int x, int y,
                        int valueWidth, bool bold) {
        QLabel* label = AddLabel(frame, captionName, caption, x, y);
        if (bold) {
            QFont f = label->font();
            f.setBold(true);
            label->setFont(f);
        }
        label->adjustSize();
        // The message, the file name and a count of millions may be longer than their room:
        // cut with "...", whole in the tool tip.
        return static_cast<QLabel*>(
            AddElidingLabel(frame, valueName, QStringLiteral("0"), x + label->width() + 6, y, valueWidth));
    };
    m_label1 = pair("LabelMessage", QStringLiteral("Message:"), "Label1", kCanvasLeft, top, 230, true);
    m_label8 = pair("LabelFileName", QStringLiteral("File Name:"), "Label8", kCanvasLeft + 300, top, 150, true);

    const int y = top + 18;
    m_label6 = pair("LabelPointCount", QStringLiteral("PointCount"), "Label6", kCanvasLeft, y, 60, false);
    m_label2 = pair("LabelLastX", QStringLiteral("LastX"), "Label2", kCanvasLeft + 130, y, 36, false);
    m_label3 = pair("LabelLastY", QStringLiteral("LastY:"), "Label3", kCanvasLeft + 210, y, 36, false);
    m_label17 = pair("LabelX", QStringLiteral("X:"), "Label17", kCanvasLeft + 300, y, 36, false);
    m_label18 = pair("LabelY", QStringLiteral("Y:"), "Label18", kCanvasLeft + 360, y, 36, false);
}

void TForm1::BuildCommands(QWidget* frame, int top)
{
    int slot = 0;
    auto command = [&](const char* name, const QString& caption, const char* icon, auto handler) {
        auto* button = new TskButton(frame);
        button->setObjectName(QLatin1String(name));
        button->SetGlyph(IconImage(icon, 16));
        button->SetCaption(caption);
        button->setGeometry(kCanvasLeft + (slot % kCommandsPerRow) * kCommandPitchX, top + (slot / kCommandsPerRow) * kCommandPitchY,
                            kCommandWidth, kCommandHeight);
        ++slot;
        connect(button, &TskButton::OnClick, this, handler);
        return button;
    };
    // The selection.
    // Mirror_H turns the selection top to bottom and Mirror_V left to right: each
    // shows the picture of the flip it makes (the Play bar's mirror y and mirror x).
    command("BitBtn17", QStringLiteral("Mirror_H"), "zarn-mirror-v", [this] { SelectionCommand(&DrawDocument::MirrorH); });
    command("BitBtn18", QStringLiteral("Mirror_V"), "zarn-mirror-h", [this] { SelectionCommand(&DrawDocument::MirrorV); });
    command("BitBtn14", QStringLiteral("Erase"), "zarn-delete-point",
            [this] { SelectionCommand(&DrawDocument::EraseSelection); });
    command("BitBtn29", QStringLiteral("O_Color_Change"), "zarn-colour-change",
            [this] { SelectionCommand(&DrawDocument::ColourSelection); });
    command("skButton25", QStringLiteral("Objects_Blanking"), "zarn-blanking",
            [this] { SelectionCommand(&DrawDocument::ToggleSelectionBlank); });
    command("skButton34", QStringLiteral("O_Rainbow_Ch"), "zarn-rainbow",
            [this] { SelectionCommand(&DrawDocument::RainbowColours); });
    command("skButton28", QStringLiteral("SelectAll"), "edit-select-all", [this] {
        m_tools.CancelPending();
        m_document.SelectAll();
        RedrawDrawing();
    });
    command("skButton24", QStringLiteral("UnSelect"), "edit-clear", [this] {
        m_tools.CancelPending();
        m_document.ClearSelection();
        RedrawDrawing();
    });
    command("BitBtn9", QStringLiteral("Rotate_O"), "object-rotate-right", [this] { ShowDialog(m_windows.Form3()); });
    m_skCheckBox1 = new TskCheckBox(frame);
    m_skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
    m_skCheckBox1->SetCaption(QStringLiteral("Copy objects"));
    m_skCheckBox1->setGeometry(kCanvasLeft + (slot % kCommandsPerRow) * kCommandPitchX + 8,
                               top + (slot / kCommandsPerRow) * kCommandPitchY + 4,
                               kCommandWidth - 8, 17);
    ++slot;
    connect(m_skCheckBox1, &TskCheckBox::OnClick, this, [this] { m_document.CopyObjects = m_skCheckBox1->Checked(); });
    // The canvas and the dialogs that add to the drawing.
    command("BitBtn22", QStringLiteral("Text"), "draw-text", [this] { ShowDialog(m_windows.Form6()); });
    command("BitBtn5", QStringLiteral("Import plt"), "document-open", [this] { ShowDialog(m_windows.Form17()); });
}

void TForm1::BuildSettings(QWidget* frame, int top)
{
    auto field = [&](const char* labelName, const QString& caption, const char* editName, int y) {
        AddLabel(frame, labelName, caption, kMiddleLeft, y + 3);
        auto* edit = new TskEdit(frame);
        edit->setObjectName(QLatin1String(editName));
        edit->setGeometry(kMiddleLeft + 92, y, 40, 22);
        // Digits only, typed or pasted; the value is taken on Enter and on leaving the field.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        return edit;
    };
    m_edit1 = field("Label4", QStringLiteral("Polygon sides"), "Edit1", top);
    m_upDown1 = new UpDown(kSidesMin, kUpDownMax, 5, frame);
    m_upDown1->setObjectName(QStringLiteral("UpDown1"));
    m_upDown1->move(kMiddleLeft + 134, top);
    m_edit2 = field("Label5", QStringLiteral("Point distance"), "Edit2", top + 28);
    m_upDown2 = new UpDown(kDistanceMin, kUpDownMax, 20, frame);
    m_upDown2->setObjectName(QStringLiteral("UpDown2"));
    m_upDown2->move(kMiddleLeft + 134, top + 28);
    connect(m_edit1, &QLineEdit::editingFinished, this, &TForm1::Edit1Exit);
    connect(m_edit2, &QLineEdit::editingFinished, this, &TForm1::Edit2Exit);
    connect(m_upDown1, &UpDown::Click, this, &TForm1::UpDown1Click);
    connect(m_upDown2, &UpDown::Click, this, &TForm1::UpDown2Click);

    auto settingButton = [&](const char* name, const QString& caption, const char* icon, int y, auto handler) {
        auto* button = new TskButton(frame);
        button->setObjectName(QLatin1String(name));
        button->SetGlyph(IconImage(icon, 16));
        button->SetCaption(caption);
        button->setGeometry(kMiddleLeft, y, kMiddleWidth, kCommandHeight);
        connect(button, &TskButton::OnClick, this, handler);
    };
    settingButton("skButton26", QStringLiteral("BackColor"), "format-fill-color", top + kSettingsButtonsTop, [this] {
        m_document.BackColor = m_document.CurrentColor;
        RedrawDrawing();
    });
    settingButton("skButton27", QStringLiteral("BlankColor"), "zarn-blanking", top + kSettingsButtonsTop + kCommandPitchY, [this] {
        m_document.BlankColor = m_document.CurrentColor;
        RedrawDrawing();
    });
    // What the canvas shows under and over the drawing.
    settingButton("BitBtn21", QStringLiteral("Picture"), "insert-image", top + kSettingsButtonsTop + 2 * kCommandPitchY,
                 [this] { PictureClick(); });
    settingButton("BitBtn11", QStringLiteral("Redraw"), "view-refresh", top + kSettingsButtonsTop + 3 * kCommandPitchY, [this] {
        m_document.DropPicture();
        RedrawDrawing();
    });
    settingButton("skButton20", QStringLiteral("View point"), "zarn-show-points", top + kSettingsButtonsTop + 4 * kCommandPitchY, [this] {
        m_document.ShowPoints = !m_document.ShowPoints;
        RedrawDrawing();
    });
}

void TForm1::Edit1Exit()
{
    m_document.PolygonSides =
        DrawDocument::CommitSettingText(m_edit1->text(), m_document.PolygonSides, kSidesMin, kUpDownMax);
    m_edit1->setText(QString::number(m_document.PolygonSides));
    m_upDown1->SetPosition(m_document.PolygonSides);
}

void TForm1::Edit2Exit()
{
    m_document.PointDistance =
        DrawDocument::CommitSettingText(m_edit2->text(), m_document.PointDistance, kDistanceMin, kUpDownMax);
    m_edit2->setText(QString::number(m_document.PointDistance));
    m_upDown2->SetPosition(m_document.PointDistance);
}

void TForm1::UpDown1Click(int position)
{
    m_document.PolygonSides = position;
    m_edit1->setText(QString::number(position));
}

void TForm1::UpDown2Click(int position)
{
    m_document.PointDistance = position;
    m_edit2->setText(QString::number(position));
}

bool TForm1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        RefreshDrawing();
    // A hidden window must not keep the mouse.
    if (event->type() == QEvent::Hide) {
        m_tools.CancelPending();
        SyncGrab();
    }
    return QWidget::event(event);
}

void TForm1::RefreshDrawing()
{
    RedrawDrawing();
}

void TForm1::RedrawDrawing()
{
    m_document.PurgeErasedPoints();
    // A picture that went missing or broke is dropped instead of failing every repaint.
    if (m_document.PictureOn && m_pictures.Get(m_document.PictureFileName).isNull())
        m_document.PictureOn = false;
    PaintCanvas(m_canvasBitmap, m_pictures, m_document, m_tools.Band());
    m_image90->SetPicture(m_canvasBitmap);
    m_label6->setText(QString::number(m_document.PointCount()));
}

void TForm1::SetStatus(const QString& text)
{
    m_label1->setText(text);
}

QString TForm1::Status() const
{
    return m_label1->text();
}

void TForm1::SetFileNameLabel(const QString& text)
{
    m_label8->setText(text);
}

void TForm1::SyncGrab()
{
    m_image90->SetGrab(m_tools.Grabbing());
}

void TForm1::SyncToolButtons()
{
    for (auto& [mode, button] : m_toolButtons)
        button->SetDown(mode == m_tools.ToolMode());
}

void TForm1::skButton32Click()
{
    if (m_document.Undo())
        RedrawDrawing();
    SyncGrab();
}

void TForm1::skButton33Click()
{
    if (m_document.Redo())
        RedrawDrawing();
    SyncGrab();
}

void TForm1::BitBtn1Click()
{
    m_label1->setText(QStringLiteral("create a new drawing"));
    m_document.NewDrawing();
    m_document.DrawingFileName.clear();
    RedrawDrawing();
    SyncGrab();
    m_label8->setText(QStringLiteral("newdrawing"));
}

void TForm1::ToolButtonClick(int mode)
{
    const QString status = m_tools.SelectTool(mode);
    if (!status.isEmpty())
        m_label1->setText(status);
    SyncToolButtons();
    SyncGrab();
    RedrawDrawing();
}

void TForm1::SelectionCommand(bool (DrawDocument::*command)())
{
    m_tools.CancelPending();
    SyncGrab();
    (m_document.*command)();
    RedrawDrawing();
}

void TForm1::ShowDialog(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm1::PictureClick()
{
    const QString file = m_windows.Dialog().OpenFileName(this, QStringLiteral("Picture"), QString(),
                                                         QStringLiteral("Bitmaps (*.bmp)"));
    if (file.isEmpty())
        return;
    m_document.SetPicture(file);
    RedrawDrawing();
}

void TForm1::Image90MouseDown(ToolButton button, bool ctrl, int x, int y)
{
    m_label2->setText(QString::number(x));
    m_label3->setText(QString::number(y));
    if (m_tools.MouseDown(button, ctrl, x, y))
        RedrawDrawing();
    SyncGrab();
    if (m_tools.ToolMode() == Tool::PickColour && button == ToolButton::Left)
        emit CurrentColorPicked(m_document.CurrentColor);
}

void TForm1::Image90MouseMove(bool ctrl, int x, int y)
{
    m_label17->setText(QString::number(x));
    m_label18->setText(QString::number(y));
    if (m_tools.MouseMove(ctrl, x, y))
        RedrawDrawing();
}

void TForm1::Image90MouseUp(ToolButton button, bool ctrl, int x, int y)
{
    if (m_tools.MouseUp(button, ctrl, x, y))
        RedrawDrawing();
}
