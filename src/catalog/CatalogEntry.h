#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <cstdint>

// One sound of the library as the list shows it.
struct CatalogEntry {
    qint64 id = 0;
    QString name;
    int algorithm = 0;
    QString path;   // the file that holds it
    int place = 0;  // its place in that file: 0, or 0..19 in a bank
    uint64_t fingerprint = 0;
    QString categories;  // automatic, from the name
    QStringList tags;    // the user's own
    bool favourite = false;
    bool hidden = false;
    bool kept = false;  // the entry the user keeps among its duplicates

    // The columns every catalog SELECT gives, in this order.
    static QString Columns();
    static CatalogEntry FromQuery(const QSqlQuery& query);
    // path#place, the form in which a kept entry is remembered.
    QString Place() const;
};
