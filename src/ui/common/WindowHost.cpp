#include "ui/common/WindowHost.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// Remembers that its close was accepted: until the deferred delete runs, the window is still
// in the work area's list but no longer counts as open.
class HostedSubWindow : public QMdiSubWindow {
  public:
    using QMdiSubWindow::QMdiSubWindow;
    bool Closing() const { return closing_; }

  protected:
    void closeEvent(QCloseEvent* event) override {
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted())
            closing_ = true;
    }

  private:
    bool closing_ = false;
};

bool IsOpen(const QMdiSubWindow* window) {
    const auto* hosted = dynamic_cast<const HostedSubWindow*>(window);
    return window->widget() != nullptr && (hosted == nullptr || !hosted->Closing());
}
}  // namespace

QMdiSubWindow* WindowHost::Add(QWidget* widget) {
    auto* window = new HostedSubWindow;
    window->setWidget(widget);
    window->setAttribute(Qt::WA_DeleteOnClose);
    area_.addSubWindow(window);
    window->show();
    area_.setActiveSubWindow(window);
    return window;
}

void WindowHost::Activate(QWidget* widget) {
    QMdiSubWindow* window = SubWindowOf(widget);
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    area_.setActiveSubWindow(window);
}

QList<QWidget*> WindowHost::Windows() const {
    QList<QWidget*> widgets;
    for (QMdiSubWindow* window : area_.subWindowList(QMdiArea::CreationOrder)) {
        if (IsOpen(window))
            widgets.append(window->widget());
    }
    return widgets;
}

QMdiSubWindow* WindowHost::SubWindowOf(const QWidget* widget) const {
    for (QMdiSubWindow* window : area_.subWindowList(QMdiArea::CreationOrder)) {
        if (window->widget() == widget && IsOpen(window))
            return window;
    }
    return nullptr;
}
