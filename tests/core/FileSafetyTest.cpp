#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QString>
#include <csignal>
#include <functional>

#include "FileTestSupport.h"
#include "library/LibraryFiles.h"
#include "library/RawFile.h"
#include "library/SoundPage.h"
#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "model/ClassSound.h"
#include "synth/EmulatorMidiDriver.h"
#include "synth/SynthMemoryFile.h"

namespace {
struct ChildResult {
    bool finished = false;  // ended by itself within the time allowed
    std::string report;
};

// Runs body in a child process that may write files of at most fileLimit bytes (0: no limit) as
// on a disk that fills up, and is stopped after a few seconds; returns what body returned.
ChildResult InChild(rlim_t fileLimit, const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(5);
        if (fileLimit > 0) {
            const rlimit limit{fileLimit, fileLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        }
        const std::string report = body();
        [[maybe_unused]] const ssize_t sent = ::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    ChildResult result;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.report.append(buffer, static_cast<size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

std::string Outcome(bool written, const std::string& failure) {
    return written ? "written" : failure;
}
}  // namespace

TEST(FileSafetyTest, AFullDiskFailsEveryWriterAndKeepsTheOldFile) {
    TempFolder folder;
    VirtualClock clock;
    EmulatorMidiDriver driver(clock);
    RecordingMessageSink messages;
    FunctionEventPump pump;
    ModuleMIDI midi(driver, messages, pump, clock);
    ClassSound sound(midi);
    sound.DecodeRawSound(driver.Synth().Sound(3));

    struct Writer {
        const char* file;
        std::function<bool(std::string&)> write;
    };
    const std::string raw = folder.Path("full.zas");
    const std::string page = folder.Path("full.htm");
    const std::string memory = folder.Path("full.mem");
    const std::vector<Writer> writers = {
        {"full.zas",
         [&](std::string& failure) { return WriteRawFile(Pattern(2761, 1), raw, failure); }},
        {"full.htm", [&](std::string& failure) { return ExportSoundPage(sound, page, failure); }},
        {"full.mem",
         [&](std::string& failure) {
             return SynthMemoryFile::Save(driver.Synth(), QString::fromStdString(memory), &failure);
         }},
    };
    const std::vector<uint8_t> old(1000, 0x5A);
    for (const Writer& writer : writers) {
        const std::string path = folder.Path(writer.file);
        PutFile(path, old);
        const ChildResult result = InChild(512, [&] {
            std::string failure;
            return Outcome(writer.write(failure), failure);
        });
        ASSERT_TRUE(result.finished) << writer.file;
        EXPECT_NE(result.report, "written") << writer.file;
        EXPECT_NE(result.report.find("too large"), std::string::npos)
            << writer.file << ": " << result.report;
        EXPECT_EQ(FileBytes(path), old) << writer.file;
        // With room enough the same writer succeeds.
        std::string failure;
        EXPECT_TRUE(writer.write(failure)) << failure;
        EXPECT_NE(FileBytes(path), old) << writer.file;
    }
}

TEST(FileSafetyTest, EmptyFilesAndSpecialFilesAreRefusedAtOnce) {
    TempFolder folder;
    using Reader = bool (*)(const std::string&, RawData&, std::string&);
    const std::vector<std::pair<const char*, Reader>> readers = {
        {"zel", ReadSoundFile},     {"snd", ReadSoundFile}, {"zas", ReadAllSoundsFile},
        {"als", ReadAllSoundsFile}, {"zeg", ReadGroupFile}, {"zag", ReadAllGroupsFile},
    };
    ASSERT_EQ(::mkfifo(folder.Path("pipe.zel").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/null", folder.Path("null.zel").c_str()), 0);
    for (const auto& [extension, read] : readers) {
        const std::string empty = folder.Path(std::string("empty.") + extension);
        PutFile(empty, {});
        RawData data(3, 7);
        std::string failure;
        EXPECT_FALSE(read(empty, data, failure)) << extension;
        EXPECT_NE(failure.find("empty"), std::string::npos) << failure;
        EXPECT_EQ(data, RawData(3, 7));
    }
    // A pipe would wait for a writer for ever, and a device is no file of ours.
    for (const char* name : {"pipe.zel", "null.zel"}) {
        const std::string path = folder.Path(name);
        const ChildResult result = InChild(0, [&] {
            RawData data;
            std::string failure;
            return Outcome(ReadSoundFile(path, data, failure), failure);
        });
        ASSERT_TRUE(result.finished) << name << " was waited on";
        EXPECT_NE(result.report.find("not a regular file"), std::string::npos)
            << name << ": " << result.report;
    }
    VirtualZel1 synth;
    std::string failure;
    EXPECT_FALSE(
        SynthMemoryFile::Load(synth, QString::fromStdString(folder.Path("null.zel")), &failure));
    EXPECT_NE(failure.find("not a regular file"), std::string::npos) << failure;
}
