#include "player/live_play_controls.h"

#include "output/play_state.h"
#include "player/colour_panel.h"
#include "skin/check_box.h"
#include "skin/icons.h"
#include "skin/tool_bar.h"
#include "skin/tool_image_list.h"
#include "skin/track_bar.h"

#include <QLabel>
#include <QPainter>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

QLabel* Caption(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->move(x, y);
    return label;
}

// Always 24 x 24: the image list cuts its pictures by width, and an icon may come smaller.
QImage IconImage(const char* name)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    SkinIcon(QLatin1String(name)).paint(&p, image.rect());
    return image;
}

}  // namespace

LivePlayControls::LivePlayControls(LiveParameters& live, Extras extras, const LiveControlTexts& texts,
                                   QWidget* parent)
    : QWidget(parent)
    , live_(live)
{
    setObjectName(QStringLiteral("LivePlayControls"));

    // Tool bar.
    toolBar_ = new TskToolBar(this);
    toolBar_->setObjectName(QStringLiteral("skToolBar1"));
    toolBar_->SetButtonWidth(37);
    toolBar_->SetButtonHeight(36);
    ToolImageList images(24, 24);
    const char* icons[] = {"media-playback-start", "zarn-repeat", "media-playback-stop", "zarn-mirror-h",
                           "zarn-hold", "zarn-output-settings", "zarn-mirror-v"};
    for (const char* icon : icons)
        images.AddMasked(IconImage(icon), qRgb(1, 2, 3));
    toolBar_->SetImages(images);
    auto add = [&](const char* name, TToolButtonStyle style, int image, const QString& tip) {
        TskToolButton* b = toolBar_->AddButton(style, image);
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
    toolBar_->setGeometry(0, 0, 7 * 37 + 4, 40);

    connect(ToolButton1, &TskToolButton::OnClick, this, &LivePlayControls::PlayClicked);
    connect(ToolButton8, &TskToolButton::OnClick, this, &LivePlayControls::StopClicked);
    connect(ToolButton2, &TskToolButton::OnClick, this, &LivePlayControls::SettingsClicked);
    connect(ToolButton5, &TskToolButton::OnClick, this,
            [this] { LoopPlay.store(ToolButton5->Down() ? 1 : 0, kRelaxed); });
    connect(ToolButton9, &TskToolButton::OnClick, this,
            [this] { MirrorX.store(ToolButton9->Down() ? 1 : 0, kRelaxed); });
    connect(ToolButton3, &TskToolButton::OnClick, this,
            [this] { MirrorY.store(ToolButton3->Down() ? 1 : 0, kRelaxed); });
    connect(ToolButton10, &TskToolButton::OnClick, this,
            [this] { FreezePlay.store(ToolButton10->Down() ? 1 : 0, kRelaxed); });

    // Colour panels.
    Caption(this, nullptr, QStringLiteral("K Color"), 0, 50);
    panels_ = MakeColourPanels(this, 48, 44, 12, live_.K.load(kRelaxed));
    for (ColourPanel* panel : panels_)
        connect(panel, &ColourPanel::Clicked, this, &LivePlayControls::PanelClicked);
    Label50 = Caption(this, "Label50", QString::number(live_.K.load(kRelaxed)), 48 + 12 * 28 + 6, 50);
    Label50->setMinimumWidth(30);

    // Track bars: two columns.
    const int colA = 0, colB = 345, top = 78, step = 30;
    AddBar("skTrackBar1", QStringLiteral("B AllSpeed"), 0, 100, 50, "Label16", colA, top, &live_.B);
    AddBar("TrackBar2", QStringLiteral("C Rot_Angle"), 0, 180, 0, "Label10", colA, top + step, &live_.C);
    AddBar("TrackBar5", QStringLiteral("D SlowDraw"), 0, 40, 0, "Label15", colA, top + 2 * step, &live_.D);
    AddBar("TrackBar10", QLatin1String(texts.E), 0, 40, 0, "Label49", colA, top + 3 * step, &live_.E);
    AddBar("TrackBar7", QLatin1String(texts.F), 0, 40, 0, "Label45", colA, top + 4 * step, &live_.F);
    AddBar("TrackBar4", QStringLiteral("G H_Rotate"), 0, 40, 0, "Label12", colA, top + 5 * step, &live_.G);
    AddBar("TrackBar3", QStringLiteral("H V_Rotate"), 0, 40, 0, "Label11", colA, top + 6 * step, &live_.H);
    AddBar("TrackBar8", QStringLiteral("I  H_Bounce"), 0, 40, 0, "Label41", colB, top, &live_.I);
    AddBar("TrackBar9", QStringLiteral("J V_Bounce"), 0, 40, 0, "Label37", colB, top + step, &live_.J);
    AddBar("TrackBar6", QStringLiteral("L Gobo_Size"), 0, 40, 20, "Label52", colB, top + 2 * step, &live_.L);
    AddBar("skTrackBar2", QLatin1String(texts.M), 0, 360, 0, "Label57", colB, top + 3 * step, &live_.M);
    AddBar("skTrackBar3", QLatin1String(texts.N), 0, 40, 30, "Label61", colB, top + 4 * step, &live_.N);
    skTrackBar4 = AddBar(texts.sendSpeedBar, QLatin1String(texts.P), 0, 100, 50, texts.sendSpeedLabel, colB,
                         top + 5 * step, nullptr);
    Label63 = findChild<QLabel*>(QLatin1String(texts.sendSpeedLabel));
    connect(skTrackBar4, &TskTrackBar::OnChange, this, [this] {
        SendSpeedByte.store(static_cast<std::uint8_t>(100 - skTrackBar4->Position()), kRelaxed);
    });

    // Check boxes.
    const int checks = top + 6 * step + 2;
    skCheckBox3 = new TskCheckBox(this);
    skCheckBox3->setObjectName(QStringLiteral("skCheckBox3"));
    skCheckBox3->SetCaption(QLatin1String(texts.O));
    skCheckBox3->setGeometry(colB, checks, 110, 17);
    connect(skCheckBox3, &TskCheckBox::OnClick, this,
            [this] { live_.O.store(skCheckBox3->Checked() ? 1 : 0, kRelaxed); });
    if (extras == Extras::ManualColour) {
        skCheckBox1 = new TskCheckBox(this);
        skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
        skCheckBox1->SetCaption(QStringLiteral("Manual change color"));
        skCheckBox1->setGeometry(colB + 120, checks, 170, 17);
        skCheckBox1->SetChecked(live_.SectionManualColour.load(kRelaxed) != 0);
        connect(skCheckBox1, &TskCheckBox::OnClick, this,
                [this] { live_.SectionManualColour.store(skCheckBox1->Checked() ? 1 : 0, kRelaxed); });
    }
    setFixedSize(680, checks + 34);
}

TskTrackBar* LivePlayControls::AddBar(const char* name, const QString& caption, int min, int max, int initial,
                                      const char* valueLabel, int x, int y, std::atomic<std::int32_t>* target)
{
    Caption(this, nullptr, caption, x, y + 3);
    auto* bar = new TskTrackBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->SetMin(min);
    bar->SetMax(max);
    bar->SetPageSize(1);
    bar->SetPosition(initial);
    bar->setGeometry(x + 92, y, 150, 22);
    Caption(this, nullptr, QString::number(min), x + 92, y + 20)->setStyleSheet(QStringLiteral("font-size: 8px"));
    auto* maxLabel = Caption(this, nullptr, QString::number(max), x + 226, y + 20);
    maxLabel->setStyleSheet(QStringLiteral("font-size: 8px"));
    QLabel* value = Caption(this, valueLabel, QString::number(initial), x + 250, y + 3);
    value->setMinimumWidth(32);
    connect(bar, &TskTrackBar::OnChange, this, [bar, value, target] {
        value->setText(QString::number(bar->Position()));
        if (target)
            target->store(bar->Position(), kRelaxed);
    });
    const char letter = caption.isEmpty() ? 0 : caption.at(0).toLatin1();
    if (letter >= 'A' && letter <= 'Z')
        bars_[std::size_t(letter - 'A')] = bar;
    return bar;
}

TskTrackBar* LivePlayControls::Bar(char letter) const
{
    if (letter < 'A' || letter > 'Z')
        return nullptr;
    return bars_[std::size_t(letter - 'A')];
}

int LivePlayControls::SendSpeedPosition() const
{
    return skTrackBar4->Position();
}

void LivePlayControls::PanelClicked(std::int32_t value)
{
    live_.K.store(value, kRelaxed);
    Label50->setText(QString::number(value));
    for (ColourPanel* p : panels_)
        p->SetLowered(p->Value() == value);
}

void LivePlayControls::CopyToolButtonsToFlags() const
{
    LoopPlay.store(ToolButton5->Down() ? 1 : 0, kRelaxed);
    MirrorY.store(ToolButton3->Down() ? 1 : 0, kRelaxed);
    MirrorX.store(ToolButton9->Down() ? 1 : 0, kRelaxed);
    FreezePlay.store(ToolButton10->Down() ? 1 : 0, kRelaxed);
}

void LivePlayControls::ShowSendSpeed()
{
    skTrackBar4->SetPosition(100 - SendSpeedByte.load(kRelaxed));
    Label63->setText(QString::number(skTrackBar4->Position()));
}
