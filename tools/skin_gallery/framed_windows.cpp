// Framed windows in the five looks, shown by a real X server and captured from
// the screen into framed_windows.png, so the round-corner masks show as the
// window system applies them.

#include "gallery.h"
#include "skin/skin_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <memory>
#include <vector>

void WriteFramedWindows(GalleryReport& report)
{
    struct Look {
        TskUIStyle style;
        const char* caption;
    };
    const Look looks[] = {{TskUIStyle::Pearl, "Import Plt"},
                          {TskUIStyle::Azure, "Azure"},
                          {TskUIStyle::Navy, "Navy"},
                          {TskUIStyle::Ivory, "Ivory"},
                          {TskUIStyle::Crystal, "Rotation setting"}};
    std::vector<std::unique_ptr<QWidget>> windows;
    const QSize size(300, 150);
    int x = 10;
    int y = 10;
    for (const Look& look : looks) {
        auto host = std::make_unique<QWidget>();
        host->setGeometry(x, y, size.width(), size.height());
        auto* frame = new TskForm(host.get(), TFormBorderStyle::bsDialog);
        frame->SetUIStyle(look.style);
        frame->SetCaption(look.caption);
        TskTitleBarButtons& buttons = frame->TitleBar().Buttons();
        buttons.Clear();
        buttons.Add(TskTitleBarBtnType::skControlBox);
        buttons.Add(TskTitleBarBtnType::skClose);
        buttons.Add(TskTitleBarBtnType::skMin);
        auto* label = new QLabel(QString("UIStyle %1").arg(int(look.style)), frame);
        label->move(20, frame->ClientArea().top() + 20);
        host->show();
        windows.push_back(std::move(host));
        x += size.width() + 20;
        if (x + size.width() > 980) {
            x = 10;
            y += size.height() + 20;
        }
    }
    for (const auto& w : windows)
        if (!QTest::qWaitForWindowExposed(w.get()))
            report.Fault("a framed window was never shown");
    windows.front()->activateWindow();
    QTest::qWait(300);  // lets the window manager settle; only the picture depends on it

    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen->grabWindow(0, 0, 0, 980, 2 * (size.height() + 20) + 10);
    report.Save(shot.toImage(), "framed_windows.png");

    // The Crystal window's top-left corner is cut away by its mask: the root
    // window shows there, while a pixel further in is the title bar.
    const QImage img = shot.toImage();
    const QColor root = img.pixelColor(img.width() - 2, img.height() - 2);
    const QPoint tl = windows.back()->geometry().topLeft();
    if (img.pixelColor(tl + QPoint(1, 1)) != root || img.pixelColor(tl + QPoint(4, 4)) == root)
        report.Fault("the Crystal window's round corner is not cut away on screen");
}
