#include "ui/widgets/ListBinding.h"

#include <QComboBox>

#include "ui/widgets/WheelGuard.h"

ListBinding::ListBinding(QComboBox& list, Reader read, Target target)
    : QObject(&list), list_(list), read_(std::move(read)), target_(std::move(target)) {
    IgnoreWheelUnlessFocused(list_);
    connect(&list_, &QComboBox::activated, this, &ListBinding::OnActivated);
}

void ListBinding::Refresh() {
    if (read_)
        Show(read_());
}

void ListBinding::Show(int index) {
    shown_ = index >= 0 && index < list_.count() ? index : -1;
    const QSignalBlocker quiet(list_);
    list_.setCurrentIndex(shown_);
}

void ListBinding::OnActivated(int index) {
    if (index == shown_ || index < 0)
        return;
    shown_ = index;
    if (!target_)
        return;
    if (Writer writer = target_()) {
        writer(index);
        emit Written(index);
    }
}
