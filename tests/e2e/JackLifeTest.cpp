#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "E2eLink.h"
#include "model/ClassSound.h"
#include "synth/FactoryContent.h"

namespace {
void SetPeerMode(const std::string& mode) {
    std::ofstream(E2eLink::EmulatorName("ZEL_E2E_PEER_MODE")) << mode << '\n';
}

// A JACK server of its own name, started and stopped by the test.
class LateServer {
  public:
    explicit LateServer(std::string name) : name_(std::move(name)) {}
    ~LateServer() { Stop(); }
    bool Start() {
        server_.start("jackd", {"--no-realtime", "-n", QString::fromStdString(name_), "-d", "dummy",
                                "--rate", "48000", "--period", "256"});
        const std::string check = "jack_wait -s '" + name_ + "' --check | grep -qx running";
        for (int i = 0; i < 100; ++i) {
            if (std::system(check.c_str()) == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    void Stop() {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.terminate();
        server_.waitForFinished(10000);
    }

  private:
    std::string name_;
    QProcess server_;
};
}  // namespace

TEST(JackPeerTest, AReplyThatComesLateIsNotTakenForTheNextRecord) {
    const std::string name = E2eLink::EmulatorName("ZEL_E2E_PEER_NAME");
    if (name.empty())
        GTEST_SKIP() << "run through run-e2e.sh: no peer is running";
    E2eLink link({"jack"});
    link.Open(name);
    ClassSound zero(link.midi);
    ClassSound one(link.midi);
    one.SetNumber(1);
    SetPeerMode("late");
    EXPECT_FALSE(zero.RequestSound());
    SetPeerMode("normal");
    link.midi.Delay(2.0);  // sound 0's reply arrives meanwhile, 6.5 s after its request
    EXPECT_TRUE(one.RequestSound());
    EXPECT_EQ(one.EncodeRawSound(), FactoryContent::Sound(1));
    EXPECT_EQ(link.messages.Messages().size(), 1u);  // the time-out
}

TEST(JackRestartTest, ListingAgainFindsAServerStartedLaterAndDropsADeadOne) {
    const char* running = std::getenv("JACK_DEFAULT_SERVER");
    if (running == nullptr)
        GTEST_SKIP() << "run through run-e2e.sh: no server of its own";
    const std::string previous = running;
    const std::string late = previous + "-late";
    setenv("JACK_DEFAULT_SERVER", late.c_str(), 1);
    {
        RtMidiDriver driver({"jack"});
        EXPECT_TRUE(driver.StartedApis().empty());
        LateServer server(late);
        ASSERT_TRUE(server.Start());
        driver.Refresh();
        EXPECT_EQ(driver.StartedApis(), std::vector<std::string>{"jack"});
        server.Stop();
        driver.Refresh();
        EXPECT_TRUE(driver.StartedApis().empty());
        ASSERT_TRUE(server.Start());
        driver.Refresh();
        EXPECT_EQ(driver.StartedApis(), std::vector<std::string>{"jack"});
    }
    setenv("JACK_DEFAULT_SERVER", previous.c_str(), 1);
}
