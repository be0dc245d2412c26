#pragma once

#include <QList>
#include <QRect>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;
class SettingsStore;

// The main window's work area as the other windows see it: adds child windows, finds open ones
// and brings one to the front. A child window is deleted when it closes; one that is closing
// is no longer found, so a window of the same kind can be opened again at once.
// Each child window scrolls its controls when its frame is made smaller than they are, and,
// once a store is set, each kind of window (its object name) opens where the last one of its
// kind was closed.
class WindowHost {
  public:
    static constexpr const char* kPlacesSection = "windows";

    explicit WindowHost(QMdiArea& area) : area_(area) {}

    // Where the places of the windows are kept; null keeps none.
    void SetPlaces(SettingsStore* store) { places_ = store; }

    // Puts widget into the work area as a child window, shows and activates it.
    QMdiSubWindow* Add(QWidget* widget);
    // Shows the child window holding widget (restored if minimised) and makes it active.
    void Activate(QWidget* widget);
    // The widgets of the open child windows, hidden ones included, closing ones left out.
    QList<QWidget*> Windows() const;
    // The child window that holds widget, or null.
    QMdiSubWindow* SubWindowOf(const QWidget* widget) const;
    // The window a child window's frame holds (not the scrolling area around it); null for none.
    static QWidget* WidgetOf(const QMdiSubWindow* window);
    // Lays the windows out side by side in a grid over the work area, none covering another;
    // a window keeps its own size where its cell is larger.
    void Arrange(const QList<QWidget*>& widgets);

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
    // The kept place of the widget's kind, fitted into the work area; empty when none is kept.
    QRect KeptPlace(const QWidget& widget) const;
    void KeepPlace(const QMdiSubWindow& window) const;

    QMdiArea& area_;
    SettingsStore* places_ = nullptr;
};
