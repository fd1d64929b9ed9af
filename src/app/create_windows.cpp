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
#include <QStringList>
#include <QTimer>

#include <new>

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

QString WindowNotCreatedText(const QString& caption, const QString& reason)
{
    return QStringLiteral("The window \"%1\" could not be opened: %2").arg(caption.trimmed(), reason);
}

QString CreationFailureReason()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return QStringLiteral("not enough memory.");
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

void CreateWindows(WindowRegistry& windows)
{
    // Each window is built whatever the one before it met: a window that could
    // not be built is named, and its button tries again.
    QStringList failures;
    CreateOrExplain<TForm15>(windows, QStringLiteral("Zarn"), failures);
    CreateOrExplain<TForm1>(windows, QStringLiteral("Draw"), failures);
    CreateOrExplain<TForm13>(windows, QStringLiteral("settings"), failures);
    CreateOrExplain<TForm17>(windows, QStringLiteral("Import Plt"), failures);
    CreateOrExplain<TForm19>(windows, QStringLiteral("Select  Device"), failures);
    CreateOrExplain<TForm3>(windows, QStringLiteral("Rotation setting"), failures);
    CreateOrExplain<TForm6>(windows, QStringLiteral("Text"), failures);
    CreateOrExplain<TForm5>(windows, QStringLiteral("Section "), failures);
    CreateOrExplain<TForm4>(windows, QStringLiteral("Play"), failures);
    CreateOrExplain<TForm8>(windows, QStringLiteral("Sequence"), failures);
    CreateOrExplain<TForm2>(windows, QStringLiteral("Setting timer"), failures);
    CreateOrExplain<TForm9>(windows, QStringLiteral("FILE"), failures);
    if (!failures.isEmpty())
        windows.ShowMessage(windows.ApplicationTitle(), failures.join(u'\n'));
}

void StartWindows(WindowRegistry& windows)
{
    TForm15* main = windows.Create<TForm15>();
    windows.SetPendingWindows([&windows] { CreateWindows(windows); });
    new CreateAfterFirstPaint(windows, main);  // owned by the main window
}
