// Any bytes as a file of each kind the librarian reads, through the reader, the model's decode
// and the text listing, as `zel1-cli show` and the editor's open commands take them.

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "library/FileKinds.h"
#include "library/FileListing.h"
#include "library/LibraryFiles.h"

namespace {
struct Kind {
    const char* extension;
    FileKind kind;
    bool (*read)(const std::string&, RawData&, std::string&);
    size_t size;
};
const Kind kKinds[] = {
    {"zel", FileKind::Sound, ReadSoundFile, 138},
    {"snd", FileKind::Snd, ReadSoundFile, 138},
    {"zas", FileKind::AllSounds, ReadAllSoundsFile, 2761},
    {"als", FileKind::Als, ReadAllSoundsFile, 2761},
    {"zeg", FileKind::Group, ReadGroupFile, 82},
    {"zag", FileKind::AllGroups, ReadAllGroupsFile, 1641},
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const Kind& kind = kKinds[data[0] % 6];
    const std::string path = QDir::tempPath().toStdString() + "/zel-fuzz-" +
                             std::to_string(::getpid()) + "." + kind.extension;
    {
        QFile file(QString::fromStdString(path));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    RawData raw{9};
    std::string failure;
    const bool read = kind.read(path, raw, failure);
    QFile::remove(QString::fromStdString(path));
    // Refused exactly when empty or too long for its kind; taken whole otherwise.
    const size_t length = size - 1;
    const size_t fileLimit = kind.kind == FileKind::Snd   ? 147
                             : kind.kind == FileKind::Als ? 2940
                                                          : kind.size;
    FUZZ_CHECK(read == (length > 0 && length <= fileLimit));
    if (!read) {
        FUZZ_CHECK(!failure.empty() && raw == RawData{9});
        return 0;
    }
    FUZZ_CHECK(raw.size() == kind.size);
    for (int16_t value : raw)
        FUZZ_CHECK(value >= 0 && value <= 255);

    OfflineLink& link = OfflineLink::Get();
    ModuleMIDI& offline = link.midi;
    const std::string text = ListFile(kind.kind, raw, offline);
    FUZZ_CHECK(!text.empty());
    // Decoding never talks to the synth.
    FUZZ_CHECK(link.driver.Synth().Received().empty());
    return 0;
}
