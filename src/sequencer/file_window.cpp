#include "sequencer/file_window.h"

TForm9::TForm9(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("FILE"));
}
