#include "app/create_windows.h"
#include "common/layout_checks.h"
#include "shell_fixture.h"
#include "skin/eliding_label.h"
#include "skin/track_bar.h"

#include <QAbstractSlider>
#include <QTest>

#include <map>
#include <string>
#include <vector>

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


// Every label that shows a point or frame count: an 18,810-point drawing reads 18810, and the
// most a read keeps (20,000,000 points) shows whole or cut with "…", never cut plainly so that
// it reads as another number.
TEST_F(WindowLayoutTest, EveryCountShowsWholeOrCutWithDots)
{
    CreateWindows(Windows());
    const std::map<QString, std::vector<const char*>> counts{
        {"Section ", {"Label6", "Label29", "Label31"}},
        {"Play", {"Label1", "Label6", "Label29"}},
        {"Sequence", {"Label6", "Label29", "Label31"}},
        {"FILE", {"Label29", "Label6", "Label11"}},
        {"Draw", {"Label6", "Label39", "Label30"}},
    };
    int checked = 0;
    for (QWidget* window : Windows().Windows()) {
        const auto names = counts.find(window->windowTitle());
        if (names == counts.end())
            continue;
        window->show();
        QCoreApplication::processEvents();
        for (const char* name : names->second) {
            const std::string where = window->windowTitle().toStdString() + " " + name;
            auto* label = window->findChild<QLabel*>(QLatin1String(name));
            ASSERT_TRUE(label) << where;
            ++checked;
            const QString before = label->text();
            label->setText("18810");
            EXPECT_TRUE(layout_checks::ShowsWhole(*label, 1)) << where;
            label->setText("20000000");
            const auto* eliding = qobject_cast<ElidingLabel*>(label);
            EXPECT_TRUE(layout_checks::ShowsWhole(*label, 1) ||
                        (eliding && eliding->ShownText().endsWith(QChar(0x2026))))
                << where;
            label->setText(before);
        }
        window->hide();
    }
    EXPECT_EQ(checked, 15);
}
