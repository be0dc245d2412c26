#include "catalog/CatalogConnection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace {
std::atomic<int> connectionCount{0};
}

CatalogConnection::CatalogConnection()
    : name_(QStringLiteral("zel-catalog-%1").arg(connectionCount.fetch_add(1))) {}

CatalogConnection::~CatalogConnection() {
    Close();
}

bool CatalogConnection::Open(const QString& path, QString& failure) {
    Close();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        failure = db.lastError().text();
        return false;
    }
    QSqlQuery pragma(db);
    // The first statement is where SQLite finds that a file is not a database.
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"))) {
        failure = pragma.lastError().text();
        return false;
    }
    return true;
}

void CatalogConnection::Close() {
    if (!QSqlDatabase::contains(name_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase CatalogConnection::Database() const {
    return QSqlDatabase::database(name_, false);
}
