#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <vector>

#include "ui/widgets/ValueRow.h"

// A held arrow keeps repeating while each written value pauses for the synth; once released,
// the row must stop where the user let go instead of running on through the repeats that piled
// up meanwhile. This runs on the real clock: the repeat is the toolkit's own timer.
TEST(ValueRowTest, AReleasedArrowStopsTheRowWhereTheUserLetGo) {
    QWidget window;
    window.resize(300, 40);
    ValueRow row(QStringLiteral("Detune"), {-64, 63, 1, 10}, &window);
    row.Bar()->setGeometry(0, 0, 200, 20);
    std::vector<int> written;
    row.Bind([&written] { return written.empty() ? 0 : written.back(); },
             [&written]() -> ValueRow::Writer {
                 return [&written](int value) {
                     written.push_back(value);
                     // The pause after every parameter change, spent as the event pump does.
                     QElapsedTimer pause;
                     pause.start();
                     while (pause.elapsed() < 50)
                         QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                 };
             });
    window.show();

    QScrollBar* bar = row.Bar();
    const QPoint arrow(bar->width() - 4, bar->height() / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, arrow);
    QTest::qWait(1000);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, arrow);
    const int released = bar->value();
    QTest::qWait(300);

    EXPECT_GE(released, 3);  // the arrow did repeat
    EXPECT_LE(bar->value() - released, 1);
    EXPECT_LT(bar->value(), 63);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), bar->value());
}
