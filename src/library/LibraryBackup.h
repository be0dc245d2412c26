#pragma once

#include <QDateTime>
#include <QString>
#include <string>

class ClassSounds;

// Before the synth's 20 sounds are replaced in bulk, what it holds now goes to an all-sounds file
// of its own in the backup folder (made when missing), named by the time it was taken:
// "Sounds 2026-12-06 22.41.07.zas". A backup never replaces an earlier one, even within one
// second. Returns the file's path, or "" with a description in failure (nothing to back up yet, or
// the folder or file cannot be written).
QString WriteSoundBackup(const ClassSounds& sounds, const QString& folder, const QDateTime& taken,
                         std::string& failure);
