#include "platform/UserManual.h"

#include <QDir>
#include <QFileInfo>

namespace UserManual {

QString Find(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const char* place : {"../share/zel1edit/manual.html", "doc/manual.html"}) {
        const QFileInfo manual(folder.filePath(QString::fromLatin1(place)));
        if (manual.isFile())
            return QDir::cleanPath(manual.absoluteFilePath());
    }
    return {};
}

}  // namespace UserManual
