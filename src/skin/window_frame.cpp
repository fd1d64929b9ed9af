#include "skin/window_frame.h"

#include <QFont>

namespace {
constexpr int kTitleButtonTop = 6;
}  // namespace

void SetUpWindowFrame(TskForm& frame, TskUIStyle style, TColor color, const QString& caption)
{
    frame.SetUIStyle(style);
    frame.SetUIStyleAutoUpdateSub(false);
    frame.SetBorderColor(clBlack);
    frame.SetBorderWidth(1);
    frame.SetTitleBarVisible(true);
    frame.SetColor(color);
    frame.SetCaption(caption);
    frame.SetTitleBarDrawAppIcon(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(true);
    frame.SetTitleBarFont(font);
    TskTitleBarButtons& buttons = frame.TitleBar().Buttons();
    buttons.Clear();
    for (const TskTitleBarBtnType type :
         {TskTitleBarBtnType::skControlBox, TskTitleBarBtnType::skClose, TskTitleBarBtnType::skMin}) {
        if (TskTitleBarButton* button = buttons.Add(type)) {
            button->SetTop(kTitleButtonTop);
            button->SetTransparent(true);
        }
    }
}
