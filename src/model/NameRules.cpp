#include "model/NameRules.h"

std::string NormaliseName(const std::string& text) {
    std::string s = text.substr(0, kNameLength);
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        s = "Noname";
    } else {
        s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    }
    s.resize(kNameLength, ' ');
    return s;
}

std::string DisplayName(const std::string& stored) {
    size_t n = stored.size();
    while (n > 1 && stored[n - 1] == ' ')
        --n;
    return stored.substr(0, n);
}
