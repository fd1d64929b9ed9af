#include "sequencer/sequence_window.h"

TForm8::TForm8(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("Sequence"));
}
