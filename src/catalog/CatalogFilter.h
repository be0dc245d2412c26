#pragma once

#include <QString>
#include <QVariantList>

// What the library's list shows: sounds whose name holds every word of `text` (letter case
// aside), narrowed by the other fields. Hidden sounds are left out unless asked for.
struct CatalogFilter {
    QString text;
    int algorithm = -1;  // 0..27, or -1 for any
    int wave = -1;       // a wave one of its wave-selector nodes plays, or -1 for any
    QString tag;         // a tag of the user's or an automatic category; empty for any
    QString folder;      // only files below this folder; empty for any
    bool favouritesOnly = false;
    bool duplicatesOnly = false;  // only sounds held more than once, grouped by fingerprint
    bool includeHidden = false;

    // The SELECT for the filter, its columns as CatalogEntry reads them (see CatalogEntry.h), and
    // the values to bind in order. A word of three letters or more is looked up in the name index;
    // shorter words compare names directly.
    QString Sql(QVariantList& binds, int limit = -1) const;
};
