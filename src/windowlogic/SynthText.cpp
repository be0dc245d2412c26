#include "windowlogic/SynthText.h"

#include <QList>

namespace {
bool Storable(uint c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF);
}
}  // namespace

namespace SynthText {

std::string FromTyped(const QString& typed) {
    std::string bytes;
    // Code points, not UTF-16 units: a character outside the basic plane is one character.
    for (const uint c : typed.toUcs4())
        bytes.push_back(Storable(c) ? static_cast<char>(static_cast<unsigned char>(c)) : '?');
    return bytes;
}

QString ToShown(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace SynthText
