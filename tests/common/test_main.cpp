// Test entry: a Qt application object of the kind the suite needs, under the
// offscreen platform unless the caller chose another (the screenshot runs use xcb).
#include <gtest/gtest.h>

#include <QtGlobal>
#if defined(ZARN_TEST_APPLICATION)
// The program's own application object, so that its exception net is under test too.
#include "app/zarn_application.h"
using TestApp = ZarnApplication;
#elif defined(ZARN_TEST_WIDGETS)
#include <QApplication>
using TestApp = QApplication;
#elif defined(ZARN_TEST_GUI)
#include <QGuiApplication>
using TestApp = QGuiApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TestApp app(argc, argv);
    return RUN_ALL_TESTS();
}
