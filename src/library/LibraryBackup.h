#pragma once

#include <QDateTime>
#include <QString>
#include <string>

class ClassGroups;
class ClassSounds;

// Before the synth's 20 sounds or 20 groups are replaced in bulk, what it holds now goes to an
// all-sounds or all-groups file of its own in the backup folder (made when missing), named by the
// time it was taken: "Sounds 2026-12-06 22.41.07.zas", "Groups 2026-12-06 22.41.07.zag". Earlier
// versions named group backups "Groups 2026-12-06 22-41-07.zag"; they are all-groups files like
// any other and open as such. A backup never replaces an earlier one, even within one second.
// Each returns the file's path, or "" with a description in failure (nothing to back up yet, or
// the folder or file cannot be written).
QString WriteSoundBackup(const ClassSounds& sounds, const QString& folder, const QDateTime& taken,
                         std::string& failure);
QString WriteGroupBackup(const ClassGroups& groups, const QString& folder, const QDateTime& taken,
                         std::string& failure);
