#include "editor/rotation_window.h"

#include "editor/dialog_frame.h"
#include "editor/draw_window.h"
#include "editor/rotation.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/skin_form.h"
#include "skin/track_bar.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>

namespace {
constexpr int kPreviewSize = 256;
constexpr int kImageSize = 255;
}  // namespace

TForm3::TForm3(WindowRegistry& windows)
    : QWidget(nullptr, Qt::Window), m_windows(windows),
      m_rotationBitmap(kPreviewSize, kPreviewSize, QImage::Format_RGB32)
{
    m_rotationBitmap.fill(Qt::black);
    BuildControls();
}

void TForm3::BuildControls()
{
    m_skForm1 = MakeDialogFrame(this, QStringLiteral("Rotation setting"), DialogLook{});
    QWidget* f = m_skForm1;
    const int top = DialogTop(*m_skForm1);
    constexpr int left = 12;
    constexpr int right = 285;

    m_image1 = new QLabel(f);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(left, top, kImageSize, kImageSize);
    m_image1->setPixmap(QPixmap::fromImage(m_rotationBitmap));

    m_trackBar1 = new TskTrackBar(f);
    m_trackBar1->setObjectName(QStringLiteral("TrackBar1"));
    m_trackBar1->SetMax(360);
    m_trackBar1->setGeometry(right, top + 24, 200, 24);
    DialogLabel(f, "Label2", QStringLiteral("0"), right + 2, top + 50);
    DialogLabel(f, "Label3", QStringLiteral("360"), right + 180, top + 50);
    m_label1 = DialogLabel(f, "Label1", QStringLiteral("0"), right + 80, top + 4);
    m_label1->setMinimumWidth(30);
    DialogLabel(f, "Label4", QStringLiteral("degress"), right + 112, top + 4);

    m_skCheckBox1 = new TskCheckBox(f);
    m_skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
    m_skCheckBox1->SetCaption(QStringLiteral("converse counter"));
    m_skCheckBox1->setGeometry(right, top + 80, 150, 17);

    auto button = [f](const char* name, const QString& caption, int x, int y) {
        auto* b = new TskButton(f);
        b->setObjectName(QLatin1String(name));
        b->SetCaption(caption);
        b->setGeometry(x, y, 80, 27);
        return b;
    };
    const int buttons = top + kImageSize - 27;
    m_bitBtn1 = button("BitBtn1", QStringLiteral("OK"), right, buttons);
    m_bitBtn2 = button("BitBtn2", QStringLiteral("Cancel"), right + 100, buttons);
    m_bitBtn1->SetDefault(true);
    m_bitBtn2->SetCancel(true);
    setFixedSize(right + 220, top + kImageSize + 14);

    connect(m_trackBar1, &TskTrackBar::OnChange, this, [this] {
        if (!m_settingFromCode)
            TrackBar1Change();
    });
    // The preview shows what OK will do, whichever input changed.
    connect(m_skCheckBox1, &TskCheckBox::OnClick, this, &TForm3::TrackBar1Change);
    connect(m_bitBtn1, &TskButton::OnClick, this, &TForm3::BitBtn1Click);
    connect(m_bitBtn2, &TskButton::OnClick, this, &TForm3::BitBtn2Click);
}

void TForm3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormActivate();
}

bool TForm3::event(QEvent* event)
{
    // Back from the Draw window, where the selection or "Copy objects" may have changed.
    if (event->type() == QEvent::WindowActivate && isVisible())
        Preview();
    return QWidget::event(event);
}

void TForm3::ComputeAngle()
{
    m_label1->setNum(m_trackBar1->Position());
    m_rotationAngle = RotationAngleFor(m_trackBar1->Position(), m_skCheckBox1->Checked());
}

void TForm3::Preview()
{
    ComputeAngle();
    TForm1* draw = m_windows.Form1();
    m_rotationBitmap.fill(Qt::black);
    m_rotatedPoints.clear();
    if (draw) {
        const DrawDocument& doc = draw->Document();
        m_rotatedPoints = RotatedCopies(doc.Selection, m_rotationAngle);
        // The painters never delete from a list: the selection's points belong to the drawing.
        if (doc.CopyObjects)
            DrawPointList(m_rotationBitmap, doc.Selection, 0, 2);
        DrawPointList(m_rotationBitmap, m_rotatedPoints, 0, 2);
    }
    m_image1->setPixmap(QPixmap::fromImage(m_rotationBitmap));
}

void TForm3::FormActivate()
{
    m_settingFromCode = true;
    m_trackBar1->SetPosition(0);
    m_settingFromCode = false;
    Preview();
}

void TForm3::TrackBar1Change()
{
    Preview();
    if (TForm1* draw = m_windows.Form1())
        draw->RedrawDrawing();
}

void TForm3::BitBtn1Click()
{
    ComputeAngle();
    m_rotatedPoints.clear();
    if (TForm1* draw = m_windows.Form1()) {
        DrawDocument& doc = draw->Document();
        // One undo step for the whole rotation, copies included, like every other edit.
        if (RotateSelection(doc.Drawing, doc.Selection, m_rotationAngle,
                            doc.CopyObjects ? RotationMode::Copies : RotationMode::InPlace))
            doc.PushUndo();
    }
    CloseAndRefresh();
}

void TForm3::BitBtn2Click()
{
    m_rotatedPoints.clear();
    if (TForm1* draw = m_windows.Form1())
        draw->update();
    CloseAndRefresh();
}

void TForm3::CloseAndRefresh()
{
    close();
    if (TForm1* draw = m_windows.Form1())
        draw->RefreshDrawing();
}
