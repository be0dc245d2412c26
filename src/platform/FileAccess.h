#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// Whole-file reads and writes that never hang on a pipe, never mistake a device for an empty file
// and never report a cut-short write as done. Every file the programs keep goes through them.

// Replaces the file at path with bytes. The new content goes to a temporary file beside it that
// takes the old one's place only once every byte reached it, so a failed write (a full disk, a
// size limit) leaves an existing file whole. On failure `reason` holds the system's reason.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, std::string& reason);

enum class ReadOutcome {
    kRead,     // bytes holds the whole file
    kTooLong,  // the file holds more than maxBytes; size says how many
    kFailed,   // reason says why (missing, unreadable, a folder, not a regular file)
};

// Reads a regular file of at most maxBytes. Folders, pipes, devices and sockets (also through a
// link) are refused before anything is read from them.
ReadOutcome ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, qint64& size,
                            std::string& reason);
