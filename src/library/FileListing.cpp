#include "library/FileListing.h"

#include <sstream>

#include "midi/ModuleGlobals.h"
#include "model/NameRules.h"

namespace {
constexpr int kSounds = 20;
constexpr int kGroups = 20;
constexpr int kRawSoundBytes = 138;
constexpr int kRawGroupBytes = 82;
constexpr int kGroupNameOffset = 72;
constexpr int kAlgorithmOffset = 116;
constexpr int kTransposeOffset = 117;
constexpr int kBytesPerLine = 16;

std::string NameAt(const RawData& data, size_t start) {
    std::string stored;
    for (int i = 0; i < kNameLength; ++i)
        stored += static_cast<char>(data[start + i]);
    return DisplayName(stored);
}

void ListBytes(std::ostringstream& text, const RawData& data, size_t start, int count) {
    for (int i = 0; i < count; ++i) {
        if (i % kBytesPerLine == 0)
            text << (i == 0 ? "" : "\n") << (i < 100 ? " " : "") << (i < 10 ? " " : "") << i << ":";
        text << ' ' << data[start + i];
    }
    text << '\n';
}
}  // namespace

std::string ListFile(FileKind kind, const RawData& data) {
    std::ostringstream text;
    switch (kind) {
        case FileKind::Sound:
        case FileKind::Snd:
            text << "Name: " << NameAt(data, 0) << '\n'
                 << "Algorithm: " << data[kAlgorithmOffset] << '\n'
                 << "Transpose: " << SignedFromByte(data[kTransposeOffset]) << '\n';
            ListBytes(text, data, 0, kRawSoundBytes);
            break;
        case FileKind::AllSounds:
        case FileKind::Als:
            for (int n = 0; n < kSounds; ++n) {
                const size_t start = static_cast<size_t>(kRawSoundBytes) * n;
                text << n << ": " << NameAt(data, start) << '\n';
            }
            break;
        case FileKind::Group:
            text << "Name: " << NameAt(data, kGroupNameOffset) << '\n';
            ListBytes(text, data, 0, kRawGroupBytes);
            break;
        case FileKind::AllGroups:
            for (int n = 0; n < kGroups; ++n) {
                const size_t start = static_cast<size_t>(kRawGroupBytes) * n;
                text << n << ": " << NameAt(data, start + kGroupNameOffset) << '\n';
            }
            break;
        case FileKind::Html:
        case FileKind::Other:
            break;
    }
    return text.str();
}
