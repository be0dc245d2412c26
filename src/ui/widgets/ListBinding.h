#pragma once

#include <QObject>
#include <functional>

class QComboBox;

// Binds a drop-down list to one property of a record: the list shows the property as its
// selected index, and only a user's pick of another entry writes it (picking the entry that is
// already selected, or any index set by code, writes nothing). A value without an entry shows
// no selection and stays in the record until the user picks one.
class ListBinding : public QObject {
    Q_OBJECT

  public:
    using Writer = std::function<void(int)>;
    // The writer for the record shown now; empty when there is none.
    using Target = std::function<Writer()>;
    using Reader = std::function<int()>;

    ListBinding(QComboBox& list, Reader read, Target target);

    QComboBox& List() const { return list_; }
    // Shows the record's value.
    void Refresh();
    void Show(int index);

  signals:
    void Written(int index);

  private:
    void OnActivated(int index);

    QComboBox& list_;
    Reader read_;
    Target target_;
    int shown_ = -1;
};
