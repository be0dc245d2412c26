#include "rtmidi/QuietMidiLibraries.h"

#include <dlfcn.h>

#include <iostream>

namespace {
// The libraries are RtMidi's own dependencies; they are looked up at run time so that an RtMidi
// built without one of them needs nothing here.
template <typename T>
T Symbol(const char* name) {
    return reinterpret_cast<T>(dlsym(RTLD_DEFAULT, name));
}

void SilentJack(const char*) {}

void SilentAlsa(const char*, int, const char*, int, const char*, ...) {}

using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetter = int (*)(AlsaHandler);
}  // namespace

QuietMidiLibraries::QuietMidiLibraries() {
    savedCerr_ = std::cerr.rdbuf(captured_.rdbuf());

    setJackError_ = Symbol<JackSetter>("jack_set_error_function");
    setJackInfo_ = Symbol<JackSetter>("jack_set_info_function");
    auto* jackError = Symbol<JackPrinter*>("jack_error_callback");
    auto* jackInfo = Symbol<JackPrinter*>("jack_info_callback");
    if (setJackError_ != nullptr && jackError != nullptr) {
        savedJackError_ = *jackError;
        setJackError_(&SilentJack);
    } else {
        setJackError_ = nullptr;
    }
    if (setJackInfo_ != nullptr && jackInfo != nullptr) {
        savedJackInfo_ = *jackInfo;
        setJackInfo_(&SilentJack);
    } else {
        setJackInfo_ = nullptr;
    }

    if (auto setAlsa = Symbol<AlsaSetter>("snd_lib_error_set_handler")) {
        alsaMuted_ = setAlsa(&SilentAlsa) == 0;
    }
}

QuietMidiLibraries::~QuietMidiLibraries() {
    std::cerr.rdbuf(savedCerr_);
    if (setJackError_ != nullptr)
        setJackError_(savedJackError_);
    if (setJackInfo_ != nullptr)
        setJackInfo_(savedJackInfo_);
    if (alsaMuted_) {
        // A null handler puts back the library's default.
        if (auto setAlsa = Symbol<AlsaSetter>("snd_lib_error_set_handler"))
            setAlsa(nullptr);
    }
}

std::string QuietMidiLibraries::FirstMessage() const {
    std::istringstream lines(captured_.str());
    std::string line;
    while (std::getline(lines, line)) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos)
            return line.substr(first);
    }
    return {};
}
