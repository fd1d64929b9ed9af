#include "editor/plot_import_window.h"

#include "editor/dialog_frame.h"
#include "editor/draw_window.h"
#include "editor/plot_file.h"
#include "model/painters.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/edit.h"
#include "skin/skin_form.h"
#include "skin/track_bar.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

#include <algorithm>

namespace {
constexpr int kPreviewSize = 256;
constexpr int kImageSize = 255;
// The import wears the Pearl look with a grey border, its file name edit framed alike.
constexpr DialogLook kImportLook{TskUIStyle::Pearl, 8355711};

// What the import understands, for an operator whose file gave nothing; the
// command examples never break across lines.
const char kLayout[] = "read: one command per line, \"PUx\u00a0y;\" or \"PDx\u00a0y;\", paths separated by \"LT\"";

// The reader's own words; where the file's text was at fault, with what it should hold.
QString NothingFoundText(const PltImport& plot)
{
    switch (plot.status) {
    case PltImport::Status::Missing:
    case PltImport::Status::Unreadable:
        return plot.message;
    case PltImport::Status::Ok:
    case PltImport::Status::NoSeparator:
    case PltImport::Status::ReadError:
        break;
    }
    const QString why = plot.message.isEmpty() ? QStringLiteral("no path found in this file") : plot.message;
    return why + QStringLiteral(" (") + QString::fromUtf8(kLayout) + QLatin1Char(')');
}

bool HasPoints(const Drawing& paths)
{
    return std::any_of(paths.begin(), paths.end(), [](const Path& path) { return !path.empty(); });
}
}  // namespace

TForm17::TForm17(WindowRegistry& windows)
    : QWidget(nullptr, Qt::Window), m_windows(windows),
      m_previewPltBitmap(kPreviewSize, kPreviewSize, QImage::Format_RGB32)
{
    m_previewPltBitmap.fill(Qt::black);
    BuildControls();
}

void TForm17::BuildControls()
{
    m_skForm1 = MakeDialogFrame(this, QStringLiteral("Import Plt"), kImportLook);
    QWidget* f = m_skForm1;
    const int top = DialogTop(*m_skForm1);
    constexpr int left = 12;
    constexpr int right = 285;

    DialogLabel(f, "Label2", QStringLiteral("File name"), left, top + 4);
    m_edit1 = new TskEdit(f);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(left + 62, top, 360, 22);
    m_button1 = new TskButton(f);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->SetCaption(QStringLiteral("Find...."));
    m_button1->setGeometry(left + 432, top - 2, 80, 26);

    const int row = top + 38;
    m_image1 = new QLabel(f);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(left, row, kImageSize, kImageSize);
    m_image1->setPixmap(QPixmap::fromImage(m_previewPltBitmap));

    auto track = [&](const char* name, const QString& caption, int y, int max, int position, const char* endName,
                     QLabel*& value) {
        DialogLabel(f, "", caption, right, y);
        auto* bar = new TskTrackBar(f);
        bar->setObjectName(QLatin1String(name));
        bar->SetMax(max);
        bar->SetPosition(position);
        bar->setGeometry(right, y + 18, 180, 24);
        DialogLabel(f, "", QStringLiteral("0"), right + 2, y + 44);
        DialogLabel(f, "", QString::number(max), right + 166, y + 44);
        value = DialogLabel(f, endName, QString::number(position), right + 192, y + 22);
        value->setMinimumWidth(30);
        return bar;
    };
    m_trackBar1 = track("TrackBar1", QStringLiteral("Fine/Coarse factor"), row, 40, 5, "Label1", m_label1);
    m_trackBar2 = track("TrackBar2", QStringLiteral("Size factor"), row + 72, 20, 20, "Label7", m_label7);

    DialogLabel(f, "Label4", QStringLiteral("Point count:"), right, row + 140);
    m_label5 = DialogLabel(f, "Label5", QStringLiteral("0"), right + 80, row + 140);
    m_label5->setMinimumWidth(80);

    // Room for four lines: the bad line and what the import reads.
    m_labelMessage = DialogLabel(f, "LabelMessage", QString(), right, row + 160);
    m_labelMessage->setWordWrap(true);
    m_labelMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_labelMessage->resize(235, 64);

    const int buttons = row + kImageSize - 27;
    m_bitBtn3 = DialogButton(f, "BitBtn3", QStringLiteral("Preview"), right, buttons);
    m_bitBtn1 = DialogButton(f, "BitBtn1", QStringLiteral("OK"), right + 80, buttons);
    m_bitBtn2 = DialogButton(f, "BitBtn2", QStringLiteral("Cancel"), right + 160, buttons);
    m_bitBtn1->SetDefault(true);
    m_bitBtn2->SetCancel(true);
    setFixedSize(right + 245, row + kImageSize + 14);

    connect(m_button1, &TskButton::OnClick, this, &TForm17::Button1Click);
    connect(m_bitBtn3, &TskButton::OnClick, this, &TForm17::BitBtn3Click);
    connect(m_bitBtn1, &TskButton::OnClick, this, &TForm17::BitBtn1Click);
    connect(m_bitBtn2, &TskButton::OnClick, this, &TForm17::BitBtn2Click);
    // Another file: nothing shown belongs to it yet.
    connect(m_edit1, &QLineEdit::textChanged, this, &TForm17::ClearPreview);
    connect(m_trackBar1, &TskTrackBar::OnChange, this, [this] { m_label1->setNum(m_trackBar1->Position()); });
    connect(m_trackBar2, &TskTrackBar::OnChange, this, [this] { m_label7->setNum(m_trackBar2->Position()); });
}

void TForm17::Button1Click()
{
    const QString name = m_windows.Dialog().OpenFileName(this, QStringLiteral("Import Plt"), QString(),
                                                         QStringLiteral("HPGL plotter file(*.plt)"));
    if (!name.isEmpty())
        m_edit1->SetText(name);
}

bool TForm17::ReadPlt()
{
    TForm1* draw = m_windows.Form1();
    const auto colour = static_cast<std::uint8_t>(draw ? draw->Document().CurrentColor : 0);
    // Every parse starts afresh: a file without paths never brings back an earlier file's.
    PltImport plot = ReadPltFile(m_edit1->Text(), m_trackBar1->Position(), 20 - m_trackBar2->Position(), colour);
    m_importObjects = std::move(plot.paths);
    if (plot.status == PltImport::Status::Ok && HasPoints(m_importObjects)) {
        m_labelMessage->clear();
        return true;
    }
    // One message, here beside the (emptied) preview.
    ClearPreview();
    m_labelMessage->setText(NothingFoundText(plot));
    return false;
}

void TForm17::ShowPreview()
{
    m_previewPltBitmap.fill(Qt::black);
    std::size_t count = 0;
    for (const Path& path : m_importObjects) {
        DrawPointList(m_previewPltBitmap, path, PreviewColor, 2);
        count += path.size();
    }
    m_image1->setPixmap(QPixmap::fromImage(m_previewPltBitmap));
    m_label5->setText(QString::number(count));
}

void TForm17::ClearPreview()
{
    m_importObjects.clear();
    ShowPreview();
    m_labelMessage->clear();
}

void TForm17::BitBtn3Click()
{
    ReadPlt();
    ShowPreview();
}

void TForm17::BitBtn1Click()
{
    TForm1* draw = m_windows.Form1();
    if (draw && QFileInfo::exists(m_edit1->Text())) {
        // Nothing to add: the dialog stays open and says why.
        if (!ReadPlt())
            return;
        draw->Document().AddSelectedObjects(std::move(m_importObjects));
    }
    m_importObjects.clear();
    CloseAndRefresh();
}

void TForm17::BitBtn2Click()
{
    CloseAndRefresh();
}

void TForm17::CloseAndRefresh()
{
    close();
    if (TForm1* draw = m_windows.Form1())
        draw->RefreshDrawing();
}
