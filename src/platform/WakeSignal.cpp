#include "platform/WakeSignal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

WakeSignal::WakeSignal() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeSignal::~WakeSignal() {
    if (fd_ >= 0)
        close(fd_);
}

void WakeSignal::Raise() {
    const uint64_t one = 1;
    if (fd_ >= 0) [[maybe_unused]]
        const ssize_t written = write(fd_, &one, sizeof one);
}

bool WakeSignal::Take() {
    uint64_t count = 0;
    return fd_ >= 0 && read(fd_, &count, sizeof count) == sizeof count && count > 0;
}
