// skin_gallery: draws every skinned control, theme picture and icon in the
// five looks into a folder of PNG files for a person to review. It exits with
// a failure when a control drew nothing or a picture could not be written.
//   skin_gallery [output folder]      (default: ./gallery)
// The framed-window screenshot needs a real X server (QT_QPA_PLATFORM=xcb,
// for example under xvfb-run); see scripts/gallery.

#include "gallery.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GalleryReport report(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery"));
    WriteControlSheets(report);
    WriteIconSheet(report);
    WriteExtraSheets(report);
    WriteThemePictureSheets(report);
    WriteDataAwareSheet(report);
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        WriteFramedWindows(report);
    else
        std::fprintf(stderr, "skin_gallery: no X server, framed_windows.png left out\n");
    std::printf("skin_gallery: pictures in %s\n", qPrintable(report.Dir()));
    return report.Faults() == 0 ? 0 : 1;
}
