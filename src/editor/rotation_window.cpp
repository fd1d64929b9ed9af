#include "editor/rotation_window.h"

TForm3::TForm3(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("Rotation setting"));
}
