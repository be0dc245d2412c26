#pragma once

#include <QAbstractTableModel>
#include <QSqlQuery>
#include <vector>

#include "catalog/CatalogEntry.h"
#include "catalog/CatalogFilter.h"

class SoundCatalog;

// The library's sounds as a list for a view: name, tags, algorithm, file and place. Rows are
// read from the database as the view scrolls to them (a page at a time), so a search over a
// hundred thousand sounds shows its first rows at once. Drags carry the entry's file and place.
class CatalogListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr const char* kEntryMimeType = "application/x-zel1-library-entry";
    static constexpr int kPageRows = 256;
    enum Column { kName, kTags, kAlgorithm, kFile, kPlace, kColumns };

    explicit CatalogListModel(SoundCatalog& catalog, QObject* parent = nullptr);

    // Lists what the filter finds, from the first rows.
    void SetFilter(const CatalogFilter& filter);
    // Lists these entries as they are (the order of Find Similar).
    void SetEntries(std::vector<CatalogEntry> entries);
    // Reads the list again (after a scan or a change of marks).
    void Refresh();

    const CatalogEntry* EntryAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // The file and place a drag carries; false for other data.
    static bool EntryFromMime(const QMimeData* data, QString& path, int& place);

  private:
    void Requery();

    SoundCatalog& catalog_;
    CatalogFilter filter_;
    bool fixedList_ = false;
    QSqlQuery query_;
    bool more_ = false;
    std::vector<CatalogEntry> rows_;
};
