#include "player/section_window.h"

TForm5::TForm5(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("Section "));
}
