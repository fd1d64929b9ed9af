#include "editor/text_window.h"

TForm6::TForm6(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("Text"));
}
