// Times the program's start-up as an operator sees it: from the start of the
// process to the main window's first paint, then until every window exists,
// then from a click on "DRAW" to the Draw window's first paint. One run per
// process (start-up happens once); run it several times and take the median:
//
//   for i in $(seq 9); do QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/bench_startup_time; done
//
// Goals: main window under 150 ms, Draw window under 50 ms.
#include "app/create_windows.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/zarn_application.h"
#include "editor/draw_window.h"
#include "shell/window_registry.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Calls back at a widget's first paint.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* widget, std::function<void()> then) : then_(std::move(then)) { widget->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            watched->removeEventFilter(this);
            auto then = std::move(then_);
            then_ = {};
            // After this paint has been done.
            QTimer::singleShot(0, std::move(then));
        }
        return false;
    }

private:
    std::function<void()> then_;
};

QPushButton* ButtonCalled(QWidget* window, const QString& caption)
{
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text().trimmed() == caption)
            return b;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    ZarnApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QTemporaryDir programFolder;
    double mainMs = 0, allMs = 0, drawMs = 0;
    {
        auto splash = std::make_unique<TForm14>();
        splash->ShowAndPaint();
        WindowRegistry windows(programFolder.path());
        windows.SetApplicationTitle(QStringLiteral("Zarn"));
        StartWindows(windows);
        splash.reset();

        std::unique_ptr<FirstPaint> drawPaint;
        Clock::time_point clicked;
        auto openDraw = [&] {
            allMs = MsSince(start);
            clicked = Clock::now();
            drawPaint = std::make_unique<FirstPaint>(reinterpret_cast<QWidget*>(windows.Form1()), [&] {
                drawMs = MsSince(clicked);
                QCoreApplication::quit();
            });
            ButtonCalled(windows.Form15(), QStringLiteral("DRAW"))->click();
        };
        // Every window exists once the event loop has run the creations it was given.
        std::function<void()> waitForAll = [&] {
            if (windows.CreationOrder().size() == 12)
                openDraw();
            else
                QTimer::singleShot(0, waitForAll);
        };
        FirstPaint mainPaint(windows.Form15(), [&] {
            mainMs = MsSince(start);
            waitForAll();
        });
        windows.Form15()->show();
        app.exec();
    }
    std::printf("main window %.1f ms, all windows %.1f ms, Draw window %.1f ms\n", mainMs, allMs, drawMs);
    return 0;
}
