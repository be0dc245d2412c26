#include <gtest/gtest.h>
#include <jack/jack.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "E2eLink.h"
#include "rtmidi/RtMidiDriver.h"

namespace {
// A client of the test's own that counts the clients registered on the server after it.
class Observer {
  public:
    Observer() : client_(jack_client_open("ZEL-1 E2E Observer", JackNoStartServer, nullptr)) {
        if (client_ == nullptr)
            return;
        jack_set_client_registration_callback(
            client_,
            [](const char*, int registered, void* self) {
                if (registered != 0)
                    static_cast<Observer*>(self)->registrations++;
            },
            this);
        jack_activate(client_);
    }
    ~Observer() {
        if (client_ != nullptr)
            jack_client_close(client_);
    }
    bool Open() const { return client_ != nullptr; }
    // A MIDI port of another program's, made or dropped.
    void AddPort(const char* name) {
        port_ = jack_port_register(client_, name, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    }
    void DropPort() { jack_port_unregister(client_, port_); }

    std::atomic<int> registrations{0};

  private:
    jack_client_t* client_;
    jack_port_t* port_ = nullptr;
};

// Waits at most a second for the driver's notice of a change, takes it and lists the ports.
bool NoticedWithinASecond(RtMidiDriver& driver) {
    pollfd watched{driver.DeviceChangeDescriptor(), POLLIN, 0};
    if (poll(&watched, 1, 1000) != 1 || !driver.TakeDeviceChange())
        return false;
    driver.Refresh();
    return true;
}

bool Listed(RtMidiDriver& driver, const std::string& name) {
    for (uint32_t id = 0; id < driver.InGetNumDevs(); ++id) {
        MidiInCaps caps;
        driver.InGetDevCaps(id, caps);
        if (caps.productName == name)
            return true;
    }
    return false;
}
}  // namespace

TEST(JackWatchTest, PortsThatComeAndGoAreNoticedAndListingMakesNoClients) {
    if (E2eLink::EmulatorName("ZEL_E2E_JACK_NAME").empty())
        GTEST_SKIP() << "run through run-e2e.sh: no JACK server of the tests is running";
    RtMidiDriver driver({"jack"});
    Observer other;
    ASSERT_TRUE(other.Open());
    ASSERT_GE(driver.DeviceChangeDescriptor(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    driver.TakeDeviceChange();

    other.AddPort("keyboard");
    ASSERT_TRUE(NoticedWithinASecond(driver));
    EXPECT_TRUE(Listed(driver, "ZEL-1 E2E Observer:keyboard"));
    other.DropPort();
    ASSERT_TRUE(NoticedWithinASecond(driver));
    EXPECT_FALSE(Listed(driver, "ZEL-1 E2E Observer:keyboard"));

    // Listing again, as every notice and the settings dialog do, is seen by no other program.
    for (int look = 0; look < 5; ++look)
        driver.Refresh();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(other.registrations.load(), 0);
}
