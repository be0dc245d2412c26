#pragma once

#include <QSqlDatabase>
#include <QString>

// One Qt SQL connection to the library's SQLite file, removed again when this ends. Qt SQL
// connections belong to the thread that made them, so the scanner's thread makes its own.
class CatalogConnection {
  public:
    CatalogConnection();
    ~CatalogConnection();
    CatalogConnection(const CatalogConnection&) = delete;
    CatalogConnection& operator=(const CatalogConnection&) = delete;

    // Opens the file (creating it) with write-ahead logging, so readers see the scanner's
    // committed rows while it goes on writing. False with the reason when SQLite refuses it.
    bool Open(const QString& path, QString& failure);
    void Close();
    QSqlDatabase Database() const;

  private:
    QString name_;
};
