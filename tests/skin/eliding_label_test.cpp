// The label for texts longer than their room: cut with "…", whole on hover,
// wrapped over its lines with only the last one cut.

#include "skin/eliding_label.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>

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
    // The second line goes on where the first stopped, cut with "…" to the room.
    ASSERT_TRUE(cut[1].endsWith(QChar(0x2026))) << cut[1].toStdString();
    // (Lines broken inside a word are joined with a blank: blanks are not compared.)
    const QString rest = text.mid(text.indexOf(lines[0]) + lines[0].size()).remove(' ');
    const QString shown = cut[1].chopped(1).remove(' ');
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(rest.startsWith(shown)) << shown.toStdString() << " | " << rest.toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(cut[1]), 120);
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), label.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&label, &hover);
    EXPECT_EQ(QToolTip::text(), text);
}
