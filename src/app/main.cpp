// Zarn: the program entry.
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/create_windows.h"
#include "shell/window_registry.h"
#include "app/zarn_application.h"
#include "skin/icons.h"

#include <QMessageBox>

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
        CreateWindows(windows);

        splash->hide();
        splash->close();
        splash.reset();

        windows.Form15()->show();
        return app.exec();
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zarn"), CurrentExceptionMessage());
        return 1;
    }
}
