// Any raw sound as a web page: either refused with a reason, or a well-formed page whose tags
// all close and whose text, the name included, holds no markup.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "library/SoundPage.h"
#include "model/ClassSound.h"

namespace {
// Tags open and close in order (hr stands alone); '&' starts only the entities used.
bool WellFormed(const std::string& page) {
    std::vector<std::string> open;
    size_t at = 0;
    while (at < page.size()) {
        const char c = page[at];
        if (c == '>')
            return false;
        if (c == '&') {
            bool known = false;
            for (const char* entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&nbsp;"})
                known = known || page.compare(at, std::strlen(entity), entity) == 0;
            if (!known)
                return false;
            ++at;
            continue;
        }
        if (c != '<') {
            ++at;
            continue;
        }
        const size_t end = page.find('>', at);
        if (end == std::string::npos)
            return false;
        const std::string tag = page.substr(at + 1, end - at - 1);
        at = end + 1;
        const bool closing = !tag.empty() && tag[0] == '/';
        const std::string name = tag.substr(closing ? 1 : 0, tag.find(' ') - (closing ? 1 : 0));
        if (name.empty() ||
            name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != std::string::npos)
            return false;
        if (name == "hr")
            continue;
        if (!closing) {
            open.push_back(name);
        } else {
            if (open.empty() || open.back() != name)
                return false;
            open.pop_back();
        }
    }
    return open.empty();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OfflineLink& link = OfflineLink::Get();
    ModuleMIDI& offline = link.midi;
    ClassSound sound(offline);
    FUZZ_CHECK(sound.DecodeRawSound(AsRaw(data, size, 138)));
    std::string page = "untouched";
    std::string failure;
    if (!BuildSoundPage(sound, page, failure)) {
        FUZZ_CHECK(!failure.empty() && page == "untouched");
        return 0;
    }
    FUZZ_CHECK(WellFormed(page));
    FUZZ_CHECK(page.rfind("<html>", 0) == 0);
    return 0;
}
