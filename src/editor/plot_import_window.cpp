#include "editor/plot_import_window.h"

TForm17::TForm17(WindowRegistry& /*windows*/)
{
    setWindowTitle(QStringLiteral("Import Plt"));
}
