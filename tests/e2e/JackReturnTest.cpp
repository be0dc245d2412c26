#include <gtest/gtest.h>

#include <QProcess>

#include "E2eLink.h"
#include "midi/PortWatch.h"
#include "model/ClassSound.h"
#include "synth/FactoryContent.h"

namespace {
// Starts the emulator under the name and waits until it listens.
bool StartEmulator(QProcess& process, const std::string& program, const std::string& name) {
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(program),
                  {"--name", QString::fromStdString(name), "--api", "jack"});
    QByteArray said;
    while (process.waitForReadyRead(10000)) {
        said += process.readAll();
        if (said.contains("listening"))
            return true;
    }
    return false;
}
}  // namespace

TEST(JackReturnTest, APortThatVanishesIsClosedAndOpenedAgainWhenItReturns) {
    const std::string program = E2eLink::EmulatorName("ZEL_E2E_EMULATOR");
    if (program.empty())
        GTEST_SKIP() << "run through run-e2e.sh: no emulator to start";
    const std::string name = "ZEL-1 E2E Returning";
    QProcess first;
    ASSERT_TRUE(StartEmulator(first, program, name));
    E2eLink link({"jack"});
    link.Open(name);
    PortWatch watch(link.midi);
    EXPECT_EQ(watch.Check(), PortWatch::Change::None);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(watch.Check(), PortWatch::Change::Vanished);
    EXPECT_EQ(link.midi.MidiInHandle(), 0u);

    QProcess second;
    ASSERT_TRUE(StartEmulator(second, program, name));
    EXPECT_EQ(watch.Check(), PortWatch::Change::Returned);
    ClassSound sound(link.midi);
    sound.SetNumber(1);
    EXPECT_TRUE(sound.RequestSound());
    EXPECT_EQ(sound.EncodeRawSound(), FactoryContent::Sound(1));
    EXPECT_TRUE(link.messages.Messages().empty());
    second.terminate();
    second.waitForFinished(10000);
}
