#pragma once

#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

class QTableWidget;

// The files the library's scan could not read, each with its reason, as a list the user can
// read, select and copy (Copy puts every row on the clipboard, path and reason tab-separated).
class SkippedFilesDialog : public QDialog {
    Q_OBJECT

  public:
    using Files = std::vector<std::pair<QString, QString>>;

    explicit SkippedFilesDialog(QWidget* parent = nullptr);

    void SetFiles(const Files& files);
    // Every row as "path<TAB>reason", one a line.
    QString Text() const;
    void CopyAll() const;

  private:
    QTableWidget* table_;
};
