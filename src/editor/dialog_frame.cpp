#include "editor/dialog_frame.h"

#include "skin/skin_form.h"

#include <QFont>
#include <QLabel>

namespace {
constexpr TColor kFrameColor = 15198183;
constexpr int kTitleButtonTop = 6;
}  // namespace

TskForm* MakeDialogFrame(QWidget* host, const QString& caption)
{
    host->setWindowTitle(caption);
    auto* frame = new TskForm(host, TFormBorderStyle::bsDialog);
    frame->setObjectName(QStringLiteral("skForm1"));
    frame->SetUIStyle(TskUIStyle::Crystal);
    frame->SetUIStyleAutoUpdateSub(false);
    frame->SetBorderColor(clBlack);
    frame->SetBorderWidth(1);
    frame->SetTitleBarVisible(true);
    frame->SetColor(kFrameColor);
    frame->SetCaption(caption);
    frame->SetTitleBarDrawAppIcon(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(true);
    frame->SetTitleBarFont(font);
    TskTitleBarButtons& buttons = frame->TitleBar().Buttons();
    buttons.Clear();
    for (const TskTitleBarBtnType type :
         {TskTitleBarBtnType::skControlBox, TskTitleBarBtnType::skClose, TskTitleBarBtnType::skMin}) {
        if (TskTitleBarButton* button = buttons.Add(type)) {
            button->SetTop(kTitleButtonTop);
            button->SetTransparent(true);
        }
    }
    return frame;
}

int DialogTop(TskForm& frame)
{
    return frame.TitleBar().height() + 10;
}

QLabel* DialogLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    return label;
}
