#pragma once

#include <QList>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The main window's work area as the other windows see it: adds child windows, finds open ones
// and brings one to the front. A child window is deleted when it closes; one that is closing
// is no longer found, so a window of the same kind can be opened again at once.
class WindowHost {
  public:
    explicit WindowHost(QMdiArea& area) : area_(area) {}

    // Puts widget into the work area as a child window, shows and activates it.
    QMdiSubWindow* Add(QWidget* widget);
    // Shows the child window holding widget (restored if minimised) and makes it active.
    void Activate(QWidget* widget);
    // The widgets of the open child windows, hidden ones included, closing ones left out.
    QList<QWidget*> Windows() const;
    // The child window that holds widget, or null.
    QMdiSubWindow* SubWindowOf(const QWidget* widget) const;

    // The first open window of type T that matches.
    template <class T>
    T* Find(const std::function<bool(const T&)>& match = {}) const {
        for (QWidget* widget : Windows()) {
            if (T* found = dynamic_cast<T*>(widget); found != nullptr && (!match || match(*found)))
                return found;
        }
        return nullptr;
    }

    QMdiArea& Area() const { return area_; }

  private:
    QMdiArea& area_;
};
