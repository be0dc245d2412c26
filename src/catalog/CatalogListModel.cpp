#include "catalog/CatalogListModel.h"

#include <QMimeData>

#include "catalog/SoundCatalog.h"
#include "tables/AlgorithmTable.h"

CatalogListModel::CatalogListModel(SoundCatalog& catalog, QObject* parent)
    : QAbstractTableModel(parent), catalog_(catalog) {}

void CatalogListModel::SetFilter(const CatalogFilter& filter) {
    filter_ = filter;
    fixedList_ = false;
    Requery();
}

void CatalogListModel::SetEntries(std::vector<CatalogEntry> entries) {
    beginResetModel();
    fixedList_ = true;
    query_.finish();
    more_ = false;
    rows_ = std::move(entries);
    endResetModel();
}

void CatalogListModel::Refresh() {
    if (!fixedList_) {
        Requery();
        return;
    }
    // Marks may have changed: read each listed entry again, dropping those that are gone.
    std::vector<CatalogEntry> fresh;
    for (const CatalogEntry& entry : rows_) {
        if (std::optional<CatalogEntry> again = catalog_.Entry(entry.id))
            fresh.push_back(*again);
    }
    SetEntries(std::move(fresh));
}

void CatalogListModel::Requery() {
    beginResetModel();
    rows_.clear();
    query_ = QSqlQuery(catalog_.Database());
    query_.setForwardOnly(true);
    QVariantList binds;
    query_.prepare(filter_.Sql(binds));
    for (const QVariant& value : binds)
        query_.addBindValue(value);
    more_ = query_.exec();
    endResetModel();
    if (more_)
        fetchMore({});
}

const CatalogEntry* CatalogListModel::EntryAt(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[row] : nullptr;
}

int CatalogListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CatalogListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CatalogListModel::data(const QModelIndex& index, int role) const {
    const CatalogEntry* entry = EntryAt(index.row());
    if (!entry || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    switch (index.column()) {
        case kName:
            return (entry->favourite ? QStringLiteral("\u2605 ") : QString()) + entry->name;
        case kTags: {
            QStringList all = entry->tags;
            if (!entry->categories.isEmpty())
                all.append(entry->categories.split(QLatin1Char(' ')));
            return all.join(QStringLiteral(", "));
        }
        case kAlgorithm:
            return QString::fromLatin1(
                AlgorithmName(entry->algorithm).data(),
                static_cast<qsizetype>(AlgorithmName(entry->algorithm).size()));
        case kFile:
            return entry->path;
        case kPlace:
            return entry->place;  // a bank's sounds numbered as the synth numbers its slots
        default:
            return {};
    }
}

QVariant CatalogListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kHeaders[] = {"Name", "Tags", "Algorithm", "File", "Sound"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(kHeaders[section]) : QVariant();
}

Qt::ItemFlags CatalogListModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
}

bool CatalogListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && more_;
}

void CatalogListModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !more_)
        return;
    std::vector<CatalogEntry> page;
    while (static_cast<int>(page.size()) < kPageRows && (more_ = query_.next()))
        page.push_back(CatalogEntry::FromQuery(query_));
    if (page.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    rows_.insert(rows_.end(), page.begin(), page.end());
    endInsertRows();
}

QStringList CatalogListModel::mimeTypes() const {
    return {QString::fromLatin1(kEntryMimeType)};
}

QMimeData* CatalogListModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty() || !EntryAt(indexes.first().row()))
        return nullptr;
    const CatalogEntry& entry = *EntryAt(indexes.first().row());
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kEntryMimeType),
                  (entry.path + QLatin1Char('\n') + QString::number(entry.place)).toUtf8());
    data->setText(entry.name);
    return data;
}

bool CatalogListModel::EntryFromMime(const QMimeData* data, QString& path, int& place) {
    if (!data || !data->hasFormat(QString::fromLatin1(kEntryMimeType)))
        return false;
    const QString text = QString::fromUtf8(data->data(QString::fromLatin1(kEntryMimeType)));
    const qsizetype end = text.lastIndexOf(QLatin1Char('\n'));
    bool ok = false;
    place = text.mid(end + 1).toInt(&ok);
    path = text.left(end);
    return end > 0 && ok;
}
