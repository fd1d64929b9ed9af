// Zarn: the program entry.
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/create_windows.h"
#include "shell/window_registry.h"
#include "app/zarn_application.h"
#include "skin/icons.h"

#include "output/play_handover.h"

#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    ZarnApplication app(argc, argv);
    // The program ends when the main window closes, not when the last window does.
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(ProgramIcon());
    try {
        auto splash = std::make_unique<TForm14>();
        splash->ShowAndPaint();

        WindowRegistry windows(QCoreApplication::applicationDirPath());
        windows.SetApplicationTitle(QStringLiteral("Zarn"));
        StartWindows(windows);

        splash->hide();
        splash->close();
        splash.reset();

        windows.Form15()->show();
        const int code = app.exec();
        if (windows.HandOver().anyWorker()) {
            // A play loop ignored the stop (the operator was told at close and
            // the settings are saved). It may still read what the windows hold,
            // so the program ends without freeing anything.
            std::fflush(nullptr);
            std::_Exit(code);
        }
        return code;
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zarn"), CurrentExceptionMessage());
        return 1;
    }
}
