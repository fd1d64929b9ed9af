#include "app/create_windows.h"
#include "common/layout_checks.h"
#include "shell_fixture.h"
#include "skin/eliding_label.h"
#include "skin/track_bar.h"

#include <QAbstractSlider>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

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

TEST(ElidingLabel, WrapsOverItsLinesBreakingALongPathAndCutsOnlyTheLastLine)
{
    const QString text = QStringLiteral("Cannot save file /tmp/zarn-show-folder-of-the-operator/Sequence/blocked.seq: "
                                        "Is a directory");
    ElidingLabel label(text);
    label.setWordWrap(true);
    label.setFixedSize(120, 10 * label.fontMetrics().lineSpacing());
    label.show();
    ASSERT_TRUE(label.TextFits());
    const QStringList lines = label.ShownText().split('\n');
    EXPECT_GE(lines.size(), 4);
    for (const QString& line : lines)
        EXPECT_LE(label.fontMetrics().horizontalAdvance(line), 120) << line.toStdString();
    EXPECT_EQ(lines.join("").remove(' '), QString(text).remove(' '));

    // Two lines' room: the second is cut, the whole text shows on hover.
    label.setFixedHeight(2 * label.fontMetrics().lineSpacing());
    EXPECT_FALSE(label.TextFits());
    const QStringList cut = label.ShownText().split('\n');
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(cut[0], lines[0]);
    EXPECT_TRUE(cut[1].endsWith(QChar(0x2026)));
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), label.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&label, &hover);
    EXPECT_EQ(QToolTip::text(), text);
}
