#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What the user decided about the library, apart from the files: the folders to index and the
// marks on sounds (tags, favourite, hidden, the entry kept among duplicates), each mark held by the
// sound's fingerprint. It is kept as a small text file beside the database, rewritten after every
// change, so a database that had to be rebuilt finds it all again; the same file is the export.
struct UserMark {
    uint64_t fingerprint = 0;
    QString kind;   // "tag", "favourite", "hidden" or "keep"
    QString value;  // the tag; for "keep" the kept entry's file and place; otherwise empty

    bool operator==(const UserMark&) const = default;
};

struct UserMarks {
    QStringList folders;
    std::vector<UserMark> marks;

    // One line a folder or mark, fields separated by tabs; tabs, line ends and backslashes in a
    // value are written as \t, \n, \r and \\.
    QByteArray ToText() const;
    // False (and failure says why) when the text does not start as ToText writes it. Lines of an
    // unknown kind or with a bad fingerprint are skipped and counted in `skipped`.
    bool FromText(const QByteArray& text, int& skipped, QString& failure);
};
