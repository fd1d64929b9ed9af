#pragma once
// The live play controls of a play window: the tool bar (play, loop, stop,
// mirrors, freeze, output settings), the twelve colour-mode panels, the effect
// track bars B..N and the send-speed bar P, and the point-draw and
// manual-colour check boxes. Every control writes its value at once (into the
// window's LiveParameters or the shared play flags), so a running loop picks
// it up without a restart. The Section window and the Play window both place it.

#include "player/live_parameters.h"

#include <QWidget>

#include <array>

class QLabel;
class TskCheckBox;
class TskToolBar;
class TskToolButton;
class TskTrackBar;
class ColourPanel;

/// What differs between the windows that place the controls: each window
/// shows its own captions (spelling included) and names its send-speed bar.
struct LiveControlTexts {
    const char* E;
    const char* F;
    const char* M;
    const char* N;
    const char* O;
    const char* P;
    const char* sendSpeedBar;
    const char* sendSpeedLabel;
};

/// The Section window's texts.
inline constexpr LiveControlTexts kSectionControlTexts{"E H_stretch", "F V_stretch",  "M Loc_Angle", "N Ch_color_sp",
                                                      "O PointDraw", "P Send_speed", "skTrackBar4", "Label63"};
/// The Play window's texts.
inline constexpr LiveControlTexts kPlayControlTexts{"E H_Stretch", "F V_Stretch",  "M  Loc_Angle", "N Ch_Color_Sp",
                                                   "PointDraw",   "P Send speed", "skTrackBar9",  "Label92"};

class LivePlayControls : public QWidget {
    Q_OBJECT
public:
    enum class Extras { None, ManualColour };

    /// GUI thread. `live` outlives the controls.
    LivePlayControls(LiveParameters& live, Extras extras, const LiveControlTexts& texts, QWidget* parent);

    LiveParameters& Live() { return live_; }

    // Tool bar: play, loop, stop, mirror X, mirror Y, freeze, settings.
    TskToolButton* ToolButton1 = nullptr;
    TskToolButton* ToolButton5 = nullptr;
    TskToolButton* ToolButton8 = nullptr;
    TskToolButton* ToolButton9 = nullptr;
    TskToolButton* ToolButton3 = nullptr;
    TskToolButton* ToolButton10 = nullptr;
    TskToolButton* ToolButton2 = nullptr;
    /// The K value label.
    QLabel* Label50 = nullptr;
    /// The send-speed bar and its value label (named as LiveControlTexts says).
    TskTrackBar* skTrackBar4 = nullptr;
    QLabel* Label63 = nullptr;
    /// "Manual change color" (only with Extras::ManualColour) and the point-draw box.
    TskCheckBox* skCheckBox1 = nullptr;
    TskCheckBox* skCheckBox3 = nullptr;

    /// The twelve colour panels, in the order Auto, Rnd1..3, Black..Mage.
    const std::array<ColourPanel*, 12>& Panels() const { return panels_; }
    /// The effect track bar of a parameter letter (B..N except K), or null.
    TskTrackBar* Bar(char letter) const;
    /// The send-speed position P.
    int SendSpeedPosition() const;

    /// Copies the four check tool buttons into LoopPlay, MirrorY, MirrorX and FreezePlay.
    void CopyToolButtonsToFlags() const;
    /// Window activation: the P bar shows 100 - SendSpeedByte.
    void ShowSendSpeed();

signals:
    void PlayClicked();
    void StopClicked();
    void SettingsClicked();

private:
    void PanelClicked(std::int32_t value);
    TskTrackBar* AddBar(const char* name, const QString& caption, int min, int max, int initial, const char* valueLabel,
                        int x, int y, std::atomic<std::int32_t>* target);

    LiveParameters& live_;
    TskToolBar* toolBar_ = nullptr;
    std::array<ColourPanel*, 12> panels_{};
    std::array<TskTrackBar*, 26> bars_{};
};
