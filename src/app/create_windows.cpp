#include "app/create_windows.h"

#include "app/device_select_window.h"
#include "app/main_window.h"
#include "app/output_settings_window.h"
#include "app/show_timer_window.h"
#include "editor/draw_window.h"
#include "editor/plot_import_window.h"
#include "editor/rotation_window.h"
#include "editor/text_window.h"
#include "player/play_window.h"
#include "player/section_window.h"
#include "sequencer/file_window.h"
#include "sequencer/sequence_window.h"
#include "shell/window_registry.h"

#include <QEvent>
#include <QTimer>

namespace {

// Runs the registry's pending creations after the main window's first paint,
// so the operator sees it before the other windows are built.
class CreateAfterFirstPaint : public QObject {
public:
    CreateAfterFirstPaint(WindowRegistry& windows, QWidget* mainWindow)
        : QObject(mainWindow)
        , windows_(windows)
    {
        mainWindow->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { windows_.CreatePendingWindows(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { windows_.CreatePendingWindows(); });
        }
        return false;
    }

private:
    WindowRegistry& windows_;
};

}  // namespace

void CreateWindows(WindowRegistry& windows)
{
    windows.Create<TForm15>();
    windows.Create<TForm1>();
    windows.Create<TForm13>();
    windows.Create<TForm17>();
    windows.Create<TForm19>();
    windows.Create<TForm3>();
    windows.Create<TForm6>();
    windows.Create<TForm5>();
    windows.Create<TForm4>();
    windows.Create<TForm8>();
    windows.Create<TForm2>();
    windows.Create<TForm9>();
}

void StartWindows(WindowRegistry& windows)
{
    TForm15* main = windows.Create<TForm15>();
    windows.SetPendingWindows([&windows] { CreateWindows(windows); });
    new CreateAfterFirstPaint(windows, main);  // owned by the main window
}
