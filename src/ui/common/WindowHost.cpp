#include "ui/common/WindowHost.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QStyle>
#include <functional>

#include "midi/MidiSettings.h"
#include "platform/SettingsStore.h"
#include "windowlogic/TileLayout.h"

namespace {
// Remembers that its close was accepted: until the deferred delete runs, the window is still
// in the work area's list but no longer counts as open. Every close, accepted or not (the
// audition window only hides), tells the host where the window stood.
class HostedSubWindow : public QMdiSubWindow {
  public:
    explicit HostedSubWindow(std::function<void(const QMdiSubWindow&)> closing)
        : onClose_(std::move(closing)) {}
    bool Closing() const { return closing_; }

  protected:
    void closeEvent(QCloseEvent* event) override {
        QMdiSubWindow::closeEvent(event);
        if (onClose_)
            onClose_(*this);
        if (event->isAccepted())
            closing_ = true;
    }

  private:
    std::function<void(const QMdiSubWindow&)> onClose_;
    bool closing_ = false;
};

// Scrolls the window's controls when the frame is smaller than they need, and asks for their
// own size (the toolkit caps a scrolling area's wish at a few hundred pixels).
class ScrollingFrame : public QScrollArea {
  public:
    explicit ScrollingFrame(QWidget* content) {
        setObjectName(QStringLiteral("ScrollArea"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setFocusPolicy(Qt::NoFocus);
        // A window sized by hand keeps that size as its wish; a laid-out one asks its layout.
        wanted_ = content->testAttribute(Qt::WA_Resized) ? content->size() : QSize();
        setWidget(content);
        // The frame shows the title of what it holds, as it follows it.
        setWindowTitle(content->windowTitle());
        content->installEventFilter(this);
    }
    QSize sizeHint() const override {
        const QWidget* content = widget();
        if (content == nullptr)
            return QScrollArea::sizeHint();
        return wanted_.isValid() ? wanted_.expandedTo(content->minimumSize())
                                 : content->sizeHint().expandedTo(content->minimumSizeHint());
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget() && event->type() == QEvent::WindowTitleChange)
            setWindowTitle(widget()->windowTitle());
        return QScrollArea::eventFilter(watched, event);
    }
    // The frame's close is the window's: it may refuse (ask first, or only hide).
    void closeEvent(QCloseEvent* event) override {
        if (widget() != nullptr && !widget()->close())
            event->ignore();
        else
            event->accept();
    }

  private:
    QSize wanted_;
};

bool IsOpen(const QMdiSubWindow* window) {
    const auto* hosted = dynamic_cast<const HostedSubWindow*>(window);
    return WindowHost::WidgetOf(window) != nullptr && (hosted == nullptr || !hosted->Closing());
}

std::string KindOf(const QWidget& widget) {
    return widget.objectName().toStdString();
}
}  // namespace

QWidget* WindowHost::WidgetOf(const QMdiSubWindow* window) {
    if (window == nullptr)
        return nullptr;
    if (const auto* frame = dynamic_cast<const ScrollingFrame*>(window->widget()))
        return frame->widget();
    return window->widget();
}

QMdiSubWindow* WindowHost::Add(QWidget* widget) {
    auto* window =
        new HostedSubWindow([this](const QMdiSubWindow& closing) { KeepPlace(closing); });
    window->setWidget(new ScrollingFrame(widget));
    window->setAttribute(Qt::WA_DeleteOnClose);
    area_.addSubWindow(window);
    const QRect kept = KeptPlace(*widget);
    if (kept.isValid())
        window->setGeometry(kept);
    else if (!area_.viewport()->size().isEmpty())
        window->resize(window->sizeHint().boundedTo(area_.viewport()->size()));
    else
        window->resize(window->sizeHint());
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
            widgets.append(WidgetOf(window));
    }
    return widgets;
}

QMdiSubWindow* WindowHost::SubWindowOf(const QWidget* widget) const {
    for (QMdiSubWindow* window : area_.subWindowList(QMdiArea::CreationOrder)) {
        if (WidgetOf(window) == widget && IsOpen(window))
            return window;
    }
    return nullptr;
}

void WindowHost::Arrange(const QList<QWidget*>& widgets) {
    std::vector<QMdiSubWindow*> windows;
    std::vector<QSize> sizes;
    // Room for the scroll bars a window cut to its cell shows, so one bar does not bring the
    // other.
    const int bar = area_.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (QWidget* widget : widgets) {
        if (QMdiSubWindow* window = SubWindowOf(widget)) {
            window->showNormal();
            windows.push_back(window);
            sizes.push_back(window->sizeHint() + QSize(bar, bar));
        }
    }
    const std::vector<QRect> places = TileLayout::Grid(sizes, area_.viewport()->rect());
    for (size_t i = 0; i < windows.size(); ++i)
        windows[i]->setGeometry(places[i]);
}

QRect WindowHost::KeptPlace(const QWidget& widget) const {
    if (places_ == nullptr || widget.objectName().isEmpty())
        return {};
    const QStringList numbers =
        QString::fromStdString(places_->Read(MidiSettings::kApplication, kPlacesSection,
                                             KindOf(widget), std::string()))
            .split(QLatin1Char(' '));
    if (numbers.size() != 4)
        return {};
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool number = false;
        values[i] = numbers[i].toInt(&number);
        if (!number)
            return {};
    }
    return TileLayout::Fitted(QRect(values[0], values[1], values[2], values[3]),
                              area_.viewport()->rect());
}

void WindowHost::KeepPlace(const QMdiSubWindow& window) const {
    const QWidget* widget = WidgetOf(&window);
    // A maximised or minimised frame does not say where the window stands.
    if (places_ == nullptr || widget == nullptr || widget->objectName().isEmpty() ||
        window.isMaximized() || window.isMinimized())
        return;
    const QRect place = window.geometry();
    places_->Write(MidiSettings::kApplication, kPlacesSection, KindOf(*widget),
                   QStringLiteral("%1 %2 %3 %4")
                       .arg(place.x())
                       .arg(place.y())
                       .arg(place.width())
                       .arg(place.height())
                       .toStdString());
}
