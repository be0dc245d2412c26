#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace {
std::string SystemReason(int error) {
    return std::strerror(error);
}

std::string KindReason(mode_t mode) {
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    return "it is not a regular file (a pipe, device or socket), so it is not read";
}

// Closes the descriptor when the read ends, whichever way.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};
}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, std::string& reason) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString().toStdString();
        return false;
    }
    // Written past Qt's buffer, straight to the temporary file: a flush that fails inside
    // commit() goes unnoticed there and commit() still succeeds, and a short write through it
    // loses the system's reason.
    const char* next = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(file.handle(), next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            reason = written < 0 ? SystemReason(errno) : "nothing more could be written";
            file.cancelWriting();
            return false;
        }
        next += written;
        left -= static_cast<size_t>(written);
    }
    if (!file.commit()) {
        reason = file.errorString().toStdString();
        return false;
    }
    return true;
}

ReadOutcome ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, qint64& size,
                            std::string& reason) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    // Looked at before opening: opening a pipe for reading waits for a writer.
    if (::stat(native.constData(), &status) != 0) {
        reason = SystemReason(errno);
        return ReadOutcome::kFailed;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = KindReason(status.st_mode);
        return ReadOutcome::kFailed;
    }
    // Non-blocking and checked again once open, in case the name was replaced in between.
    Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        reason = SystemReason(errno);
        return ReadOutcome::kFailed;
    }
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = KindReason(status.st_mode);
        return ReadOutcome::kFailed;
    }
    size = static_cast<qint64>(status.st_size);
    if (size > maxBytes)
        return ReadOutcome::kTooLong;

    // One byte more than expected, to notice a file that grew since it was looked at.
    QByteArray buffer(static_cast<qsizetype>(maxBytes + 1), '\0');
    qint64 total = 0;
    while (total < buffer.size()) {
        const ssize_t got =
            ::read(file.Get(), buffer.data() + total, static_cast<size_t>(buffer.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = SystemReason(errno);
            return ReadOutcome::kFailed;
        }
        if (got == 0)
            break;
        total += got;
    }
    size = total;
    if (total > maxBytes)
        return ReadOutcome::kTooLong;
    buffer.truncate(static_cast<qsizetype>(total));
    bytes = buffer;
    return ReadOutcome::kRead;
}
