#include "player/play_window.h"

TForm4::TForm4(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("Play"));
}
