#include "library/PrintableName.h"

std::string PrintableName(const std::string& name) {
    size_t length = name.size();
    while (length > 0 && name[length - 1] == '\0')
        --length;
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text += static_cast<char>(byte);
            continue;
        }
        constexpr char kDigits[] = "0123456789ABCDEF";
        text += "\\x";
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}
