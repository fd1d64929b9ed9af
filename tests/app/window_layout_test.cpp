#include "app/create_windows.h"
#include "common/layout_checks.h"
#include "shell_fixture.h"
#include "skin/eliding_label.h"
#include "skin/track_bar.h"

#include <QAbstractSlider>
#include <QTest>

using WindowLayoutTest = ShellTest;

namespace {

void MoveEverySliderTo(QWidget& window, bool maximum)
{
    for (TskTrackBar* bar : window.findChildren<TskTrackBar*>())
        bar->SetPosition(maximum ? bar->Max() : bar->Min());
    for (QAbstractSlider* slider : window.findChildren<QAbstractSlider*>())
        slider->triggerAction(maximum ? QAbstractSlider::SliderToMaximum : QAbstractSlider::SliderToMinimum);
}

}  // namespace

TEST_F(WindowLayoutTest, EveryWindowShowsEachControlApartInsideAndWhole)
{
    CreateWindows(Windows());
    for (QWidget* window : Windows().Windows()) {
        window->show();
        QCoreApplication::processEvents();
        const std::string title = window->windowTitle().toStdString();
        for (const std::string& fault : layout_checks::LayoutFaults(*window))
            ADD_FAILURE() << title << ": " << fault;
        for (bool maximum : {true, false}) {
            MoveEverySliderTo(*window, maximum);
            for (const std::string& fault : layout_checks::ClippedLabels(*window))
                ADD_FAILURE() << title << ": " << fault;
        }
        window->hide();
    }
}

TEST(ElidingLabel, CutsALongTextWithDotsAndKeepsItWhole)
{
    ElidingLabel label(QStringLiteral("section name have already exists,create failure!"));
    label.setFixedWidth(120);
    label.show();
    EXPECT_FALSE(label.TextFits());
    EXPECT_TRUE(label.ShownText().endsWith(QChar(0x2026)));
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.ShownText()), 120);
    EXPECT_EQ(label.text(), "section name have already exists,create failure!");
    label.setFixedWidth(label.fontMetrics().horizontalAdvance(label.text()) + 4);
    EXPECT_TRUE(label.TextFits());
    EXPECT_EQ(label.ShownText(), label.text());
}
