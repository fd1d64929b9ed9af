#include "editor/text_window.h"

#include "editor/chosen_font.h"
#include "editor/dialog_frame.h"
#include "editor/draw_window.h"
#include "model/painters.h"
#include "model/trunc_to_int.h"
#include "platform/freetype_glyph_source.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/memo.h"
#include "skin/skin_form.h"
#include "skin/track_bar.h"

#include <QFontDialog>
#include <QLabel>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPreviewSize = 256;
constexpr int kImageSize = 255;
// Doubled text points beyond this leave their character out of the drawing.
constexpr int kCanvasLimit = 530;

std::optional<QFont> AskFont(QWidget* parent, const QFont& current)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, parent, QStringLiteral("Font"));
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

}  // namespace

TForm6::TForm6(WindowRegistry& windows)
    : QWidget(nullptr, Qt::Window), m_windows(windows), m_glyphs(std::make_unique<FreeTypeGlyphSource>()),
      m_fontChooser(AskFont), m_font(QStringLiteral("Arial"), 8),
      m_previewBitmap(kPreviewSize, kPreviewSize, QImage::Format_RGB32)
{
    m_previewBitmap.fill(Qt::black);
    BuildControls();
}

TForm6::~TForm6() = default;

void TForm6::BuildControls()
{
    m_skForm1 = MakeDialogFrame(this, QStringLiteral("Text"), DialogLook{});
    QWidget* f = m_skForm1;
    const int top = DialogTop(*m_skForm1);
    constexpr int left = 12;
    constexpr int right = 285;

    m_skMemo1 = new TskMemo(f);
    m_skMemo1->setObjectName(QStringLiteral("skMemo1"));
    m_skMemo1->setGeometry(left, top, kImageSize, 80);
    m_skMemo1->SetScrollBars(TScrollStyle::ssBoth);
    m_skMemo1->SetWordWrap(false);
    m_skMemo1->SetText(QStringLiteral("Text"));

    const int imageTop = top + 90;
    m_image1 = new QLabel(f);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(left, imageTop, kImageSize, kImageSize);
    m_image1->setPixmap(QPixmap::fromImage(m_previewBitmap));
    DialogLabel(f, "Label1", QStringLiteral("Point count"), left, imageTop + kImageSize + 6);
    m_label6 = DialogLabel(f, "Label6", QStringLiteral("0"), left + 80, imageTop + kImageSize + 6);
    m_label6->setMinimumWidth(80);

    constexpr int pitch = 52;
    auto track = [&](const char* name, const QString& caption, int row, int min, int max, int position,
                     const char* valueName, QLabel*& value) {
        const int y = top + row * pitch;
        DialogLabel(f, "", caption, right, y);
        auto* bar = new TskTrackBar(f);
        bar->setObjectName(QLatin1String(name));
        bar->SetMin(min);
        bar->SetMax(max);
        bar->SetPosition(position);
        bar->setGeometry(right, y + 18, 180, 24);
        value = DialogLabel(f, valueName, QString::number(position), right + 188, y + 22);
        value->setMinimumWidth(24);
        return bar;
    };
    m_trackBar2 = track("TrackBar2", QStringLiteral("Character width factor"), 0, 1, 20, 8, "Label10", m_label10);
    m_skTrackBar1 = track("skTrackBar1", QStringLiteral("Character height factor"), 1, 1, 20, 8, "Label9", m_label9);
    m_skTrackBar2 = track("skTrackBar2", QStringLiteral("Width interval factor"), 2, 1, 20, 8, "Label19", m_label19);
    m_skTrackBar3 = track("skTrackBar3", QStringLiteral("Height interval factor"), 3, 1, 20, 8, "Label25", m_label25);
    m_trackBar1 = track("TrackBar1", QStringLiteral("Fine/Coarse factor"), 4, 0, 40, 3, "Label4", m_label4);
    DialogLabel(f, "Label8", QStringLiteral("Character width"), right + 220, top + 4);
    m_label7 = DialogLabel(f, "Label7", QStringLiteral("32"), right + 220, top + 22);
    m_label7->setMinimumWidth(40);
    DialogLabel(f, "Label17", QStringLiteral("Character height"), right + 220, top + pitch + 4);
    m_label18 = DialogLabel(f, "Label18", QStringLiteral("32"), right + 220, top + pitch + 22);
    m_label18->setMinimumWidth(40);

    const int lower = top + 5 * pitch + 4;
    m_skCheckBox1 = new TskCheckBox(f);
    m_skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
    m_skCheckBox1->SetCaption(QStringLiteral("Auto  preview"));
    m_skCheckBox1->setGeometry(right, lower, 120, 17);
    m_fontLabel = DialogLabel(f, "FontName", QString(), right, lower + 30);
    m_fontLabel->setMinimumWidth(300);

    const int buttons = imageTop + kImageSize - 27;
    m_bitBtn1 = DialogButton(f, "BitBtn1", QStringLiteral("Font"), right, buttons);
    m_bitBtn2 = DialogButton(f, "BitBtn2", QStringLiteral("Preview"), right + 80, buttons);
    m_bitBtn3 = DialogButton(f, "BitBtn3", QStringLiteral("OK"), right + 160, buttons);
    m_bitBtn4 = DialogButton(f, "BitBtn4", QStringLiteral("Cancel"), right + 240, buttons);
    m_bitBtn3->SetDefault(true);
    m_bitBtn4->SetCancel(true);
    setFixedSize(right + 330, imageTop + kImageSize + 32);
    SetFont(m_font);

    connect(m_trackBar2, &TskTrackBar::OnChange, this, &TForm6::sktempTrackBar2Change);
    connect(m_skTrackBar1, &TskTrackBar::OnChange, this, &TForm6::skTrackBar1Change);
    connect(m_skTrackBar2, &TskTrackBar::OnChange, this, &TForm6::skTrackBar2Change);
    connect(m_skTrackBar3, &TskTrackBar::OnChange, this, &TForm6::skTrackBar3Change);
    connect(m_trackBar1, &TskTrackBar::OnChange, this, &TForm6::sktempTrackBar1Change);
    connect(m_skCheckBox1, &TskCheckBox::OnClick, this, &TForm6::skCheckBox1Click);
    connect(m_skMemo1, &TskMemo::OnChange, this, &TForm6::skMemo1Change);
    connect(m_bitBtn1, &TskButton::OnClick, this, &TForm6::sktempBitBtn1Click);
    connect(m_bitBtn2, &TskButton::OnClick, this, &TForm6::sktempBitBtn2Click);
    connect(m_bitBtn3, &TskButton::OnClick, this, &TForm6::sktempBitBtn3Click);
    connect(m_bitBtn4, &TskButton::OnClick, this, &TForm6::sktempBitBtn4Click);
}

void TForm6::FactorChanged()
{
    m_factors.FineCoarseFactor = m_trackBar1->Position();
    m_factors.CharWidthFactor = m_trackBar2->Position();
    m_factors.CharHeightFactor = m_skTrackBar1->Position();
    m_factors.WidthIntervalFactor = m_skTrackBar2->Position();
    m_factors.HeightIntervalFactor = m_skTrackBar3->Position();
    m_label4->setNum(m_factors.FineCoarseFactor);
    m_label10->setNum(m_factors.CharWidthFactor);
    m_label9->setNum(m_factors.CharHeightFactor);
    m_label19->setNum(m_factors.WidthIntervalFactor);
    m_label25->setNum(m_factors.HeightIntervalFactor);
    m_label7->setNum(256 / std::max(m_factors.CharWidthFactor, 1));
    m_label18->setNum(256 / std::max(m_factors.CharHeightFactor, 1));
    AutoPreview();
}

void TForm6::AutoPreview()
{
    if (m_skCheckBox1->Checked())
        PreviewText();
}

void TForm6::SetFont(const QFont& font)
{
    m_font = font;
    const QFont used = FontInUse();
    m_fontLabel->setText(
        QStringLiteral("%1, %2").arg(used.family()).arg(used.pointSize() > 0 ? used.pointSize() : used.pixelSize()));
}

QFont TForm6::FontInUse() const
{
    QFont used = m_font;
    const std::string family = m_glyphs->ResolvedFamily(FontChoiceOf());
    if (!family.empty())
        used.setFamily(QString::fromStdString(family));
    return used;
}

FontChoice TForm6::FontChoiceOf() const
{
    const int pixels = m_font.pixelSize() > 0 ? m_font.pixelSize()
                                              : static_cast<int>(std::lround(m_font.pointSizeF() * 96.0 / 72.0));
    return {m_font.family().toStdString(), std::max(pixels, 1), m_font.bold(), m_font.italic()};
}

void TForm6::SetFontChooser(FontChooser chooser)
{
    m_fontChooser = chooser ? std::move(chooser) : FontChooser(AskFont);
}

void TForm6::SetGlyphSource(std::unique_ptr<GlyphOutlineSource> source)
{
    if (source)
        m_glyphs = std::move(source);
    SetFont(m_font);
}

void TForm6::sktempBitBtn1Click()
{
    // The chooser opens on the face in use: a name it does not list ("Arial" is
    // another face's alias) would make it offer, and OK return, some other family.
    const QFont current = FontToOffer(m_font, FontInUse().family());
    if (const std::optional<QFont> chosen = m_fontChooser(this, current))
        SetFont(ChosenFontKeepingFace(current, *chosen));
}

bool TForm6::RebuildTextPaths()
{
    m_textPaths.clear();
    if (m_skMemo1->Text().trimmed().isEmpty())
        return true;
    const FontChoice font = FontChoiceOf();
    // Without the reference glyph no character can be scaled.
    if (!m_glyphs->ReferenceMetrics(font))
        return false;
    TForm1* draw = m_windows.Form1();
    const auto colour = static_cast<std::uint8_t>(draw ? draw->Document().CurrentColor : 0);
    m_textPaths = LayoutText(*m_glyphs, m_skMemo1->Lines(), font, m_factors, colour);
    return true;
}

void TForm6::PreviewText()
{
    m_previewBitmap.fill(Qt::black);
    RebuildTextPaths();
    TForm1* draw = m_windows.Form1();
    const auto blank = static_cast<std::uint8_t>(draw ? draw->Document().BlankColor : 0);
    std::size_t count = 0;
    for (const Path& path : m_textPaths) {
        DrawPointList(m_previewBitmap, path, blank, 1);
        count += path.size();
    }
    m_label6->setText(QString::number(count));
    m_image1->setPixmap(QPixmap::fromImage(m_previewBitmap));
}

void TForm6::sktempBitBtn3Click()
{
    if (!RebuildTextPaths()) {
        m_windows.Dialog().Message(this, QStringLiteral("Text"),
                                   QStringLiteral("No installed font has the reference character \u554A, "
                                                  "so the text cannot be scaled. Nothing was added."));
        return;
    }
    if (TForm1* draw = m_windows.Form1()) {
        for (Path& path : m_textPaths)
            for (auto& p : path) {
                p->x = TruncToInt(2.0L * p->x);
                p->y = TruncToInt(2.0L * p->y);
            }
        std::erase_if(m_textPaths, [](const Path& path) {
            return std::any_of(path.begin(), path.end(), [](const std::unique_ptr<LaserPoint>& p) {
                return p->x > kCanvasLimit || p->y > kCanvasLimit;
            });
        });
        // A character without outline (a space) adds no empty object.
        draw->Document().AddSelectedObjects(std::move(m_textPaths));
    }
    m_textPaths.clear();
    CloseAndRefresh();
}

void TForm6::sktempBitBtn4Click()
{
    CloseAndRefresh();
}

void TForm6::CloseAndRefresh()
{
    close();
    if (TForm1* draw = m_windows.Form1())
        draw->RefreshDrawing();
}
