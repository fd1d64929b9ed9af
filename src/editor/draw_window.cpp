#include "editor/draw_window.h"

#include "shell/window_registry.h"

TForm1::TForm1(WindowRegistry& windows)
{
    setWindowTitle(QStringLiteral("Draw"));
    const SettingsFile& settings = windows.Settings();
    BackColor = settings.value(kBackColorSetting);
    BlankColor = settings.value(kBlankColorSetting);
    GridStepX = settings.value(kGridStepXSetting);
    GridStepY = settings.value(kGridStepYSetting);
    PointDistance = settings.value(kPointDistanceSetting);
    PolygonSides = settings.value(kPolygonSidesSetting);
}
