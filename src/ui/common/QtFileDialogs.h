#pragma once

#include <QPointer>
#include <QStringList>

#include "ui/common/FileDialogs.h"

class QWidget;

// The desktop's own file dialogs.
class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> OpenFile(const Request& request) override;
    std::optional<QString> SaveFile(const Request& request) override;
    std::optional<QString> ChooseFolder(const Request& request) override;

    // "A (*.a)|*.a|B (*.b)|*.b" as the toolkit's filter list: the descriptions, which name
    // their patterns.
    static QStringList NameFilters(const QString& filter);

  private:
    QPointer<QWidget> parent_;
};
