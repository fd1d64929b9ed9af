#include "editor/dialog_frame.h"

#include "skin/button.h"
#include "skin/skin_form.h"
#include "skin/window_frame.h"

#include <QFont>
#include <QLabel>

namespace {
constexpr TColor kFrameColor = 15198183;
}  // namespace

TskForm* MakeDialogFrame(QWidget* host, const QString& caption, DialogLook look)
{
    host->setWindowTitle(caption);
    auto* frame = new TskForm(host, TFormBorderStyle::bsDialog);
    frame->setObjectName(QStringLiteral("skForm1"));
    SetUpWindowFrame(*frame, look.style, kFrameColor, caption);
    frame->SetBorderColor(look.borderColor);
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

TskButton* DialogButton(QWidget* parent, const char* name, const QString& caption, int x, int y)
{
    auto* button = new TskButton(parent);
    button->setObjectName(QLatin1String(name));
    button->SetCaption(caption);
    button->setGeometry(x, y, 72, 27);
    return button;
}
