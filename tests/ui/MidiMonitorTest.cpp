#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>

#include "ShellFixture.h"
#include "ui/app/FormMidiMonitor.h"

class MidiMonitorTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        window->SetChildFactory(Child::MidiMonitor,
                                [this] { return new FormMidiMonitor(midi.Tap(), clock); });
    }

    QStringList Column(const QTableWidget& table, int column) const {
        QStringList texts;
        for (int row = 0; row < table.rowCount(); ++row)
            texts << table.item(row, column)->text();
        return texts;
    }
};

// What goes out and what comes back is listed in order with its meaning; Pause stops the list,
// Copy gives whole rows as text, and closing the monitor stops the recording.
TEST_F(MidiMonitorTest, ListsTheExchangeInOrderAndStopsWhenPausedOrClosed) {
    window->resize(1366, 700);
    Action("MenuViewMidiMonitor")->trigger();
    auto* monitor = qobject_cast<FormMidiMonitor*>(window->ChildWindow(Child::MidiMonitor));
    ASSERT_NE(monitor, nullptr);
    auto* table = monitor->findChild<QTableWidget*>("ListMessages");

    ASSERT_TRUE(library.Sounds().GetSoundsFromSynth());
    library.Sounds().Sound(3)->SetTranspose(12);
    monitor->Poll();
    EXPECT_EQ(Column(*table, 1), QStringList({"Out", "In", "Out"}));
    EXPECT_EQ(Column(*table, 3),
              QStringList({"Request, all sounds (system channel 1)",
                           "Dump, all sounds, 2,760 bytes, checksum ok (system channel 1)",
                           "Parameter change: sound 3, Transpose = 12 (system channel 1)"}));
    EXPECT_EQ(Column(*table, 2)[0], "F0 00 20 08 01 20 01 F7");
    EXPECT_TRUE(Column(*table, 2)[1].endsWith("(5531 bytes)"));
    // The monitor opened wide enough for every text in full, with no sideways scrolling.
    for (int column = 0; column < table->columnCount(); ++column) {
        for (const QString& text : Column(*table, column))
            EXPECT_LT(table->fontMetrics().horizontalAdvance(text), table->columnWidth(column))
                << text.toStdString();
    }
    EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());

    table->selectRow(2);
    monitor->findChild<QPushButton*>("CommandCopy")->click();
    const QStringList copied = QApplication::clipboard()->text().split('\t');
    ASSERT_EQ(copied.size(), 4);
    EXPECT_EQ(copied[1], "Out");
    EXPECT_EQ(copied[2], "F0 00 20 08 01 00 17 6B 00 0C F7");

    monitor->findChild<QPushButton*>("CommandPause")->click();
    library.Sounds().Sound(3)->SetTranspose(13);
    monitor->Poll();
    EXPECT_EQ(table->rowCount(), 3);
    monitor->findChild<QPushButton*>("CommandClear")->click();
    EXPECT_EQ(table->rowCount(), 0);

    window->Host().SubWindowOf(monitor)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    library.Sounds().Sound(3)->SetTranspose(14);
    EXPECT_FALSE(midi.Tap().Watching());
    EXPECT_TRUE(midi.Tap().Take().empty());
}
