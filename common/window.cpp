#include "common/window.h"

#include "common/interaction.h"
#include "common/internal/dispatch.h"
#include "common/internal/hosts.h"
#include "common/program.h"
#include "common/qtext.h"

#include <QApplication>
#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>

class WindowManager {
public:
    static WindowManager& instance()
    {
        static WindowManager manager;
        return manager;
    }

    std::vector<Window*> open;
    std::vector<Window*> closed;      // closed, waiting to be destroyed
    QEventLoop* mainLoop = nullptr;

    bool open_(Window* window, Window* owner, bool modal);
    void close(Window& window);
    void flush();
};

namespace {

// Window sizes count the frame, as the design sizes do (units placed near
// the bottom of a design lie below the visible area). The frame the window
// system draws is unknown until shown, so a nominal one is taken off.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;

QSize clientSize(int width, int height)
{
    return {std::max(width - kFrameWidth, 1), std::max(height - kFrameHeight, 1)};
}

void centre(QWidget* widget)
{
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    QRect frame = widget->frameGeometry();
    widget->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2)
                 + (widget->pos() - frame.topLeft()));
}

} // namespace

// ---- WindowHost ---------------------------------------------------------

WindowHost::WindowHost(Window* window) : window_(window) {}

void WindowHost::closeEvent(QCloseEvent* event)
{
    // The window decides; Qt never closes it on its own.
    event->ignore();
    Window* w = window_;
    runHandler([w] {
        if (!w->isOpen())
            return;
        if (w->mayClose && !w->mayClose())
            return;
        closeWindow(*w);
    });
}

void WindowHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (window_->isOpen())
        fire(window_->resized);
}

void WindowHost::mouseReleaseEvent(QMouseEvent* event)
{
    fire(window_->mouseUp, mouseButtonCode(event->button()));
}

int mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return LeftButton;
    case Qt::RightButton: return RightButton;
    case Qt::MiddleButton: return MiddleButton;
    default: return 0;
    }
}

// ---- Window --------------------------------------------------------------

Window::Window(const Text& name, const Rect& design, const Text& caption)
    : name_(name)
{
    ensureRuntime();
    host_ = new WindowHost(this);
    host_->setObjectName(toQString(name));
    host_->setWindowTitle(toQString(caption));
    auto* layout = new QVBoxLayout(host_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    content_ = new QWidget(host_);
    layout->addWidget(content_);
    host_->resize(clientSize(design.width, design.height));
    if (design.left != 0 || design.top != 0)
        host_->move(design.left, design.top);
    else
        host_->setProperty("qelvanaCentre", true);
}

Window::~Window()
{
    // Normally closed and flushed already; a window destroyed any other way
    // must not stay behind in the manager's lists.
    WindowManager& manager = WindowManager::instance();
    std::erase(manager.open, this);
    std::erase(manager.closed, this);
    for (Window* child : owned_)
        child->owner_ = nullptr;
    if (owner_)
        std::erase(owner_->owned_, this);
    delete host_;
}

QWidget* Window::containerWidget() const { return content_; }

QMenuBar* Window::menuBar()
{
    if (!menuBar_) {
        menuBar_ = new QMenuBar(host_);
        static_cast<QVBoxLayout*>(host_->layout())->setMenuBar(menuBar_);
    }
    return menuBar_;
}

namespace {

QKeySequence shortcutKey(int code)
{
    if (code >= 1 && code <= 26)
        return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_A + code - 1));
    if (code >= 27 && code <= 38)
        return QKeySequence(static_cast<Qt::Key>(Qt::Key_F1 + code - 27));
    return {};
}

} // namespace

void Window::registerShortcut(QAction* action, int code, bool isMenu)
{
    if (shortcutKey(code).isEmpty())
        return;
    shortcuts_.push_back({action, code, isMenu});
    // Menus' own actions need the window to see their key.
    if (isMenu)
        host_->addAction(action);
}

void Window::resolveShortcuts()
{
    for (const Shortcut& s : shortcuts_) {
        bool taken = s.isMenu && std::any_of(shortcuts_.begin(), shortcuts_.end(), [&](const Shortcut& o) {
            return !o.isMenu && o.code == s.code;
        });
        s.action->setShortcut(taken ? QKeySequence() : shortcutKey(s.code));
        s.action->setShortcutContext(Qt::WindowShortcut);
    }
}
Text Window::caption() const { return fromQString(host_->windowTitle()); }
void Window::setCaption(const Text& caption) { host_->setWindowTitle(toQString(caption)); }
int Window::left() const { return host_->x(); }
int Window::top() const { return host_->y(); }
int Window::width() const { return host_->width() + kFrameWidth; }
int Window::height() const { return host_->height() + kFrameHeight; }
void Window::setWidth(int width) { host_->resize(clientSize(width, height())); }
void Window::setHeight(int height) { host_->resize(clientSize(width(), height)); }
int Window::clientWidth() const
{
    host_->layout()->activate();   // before the first show the layout has not run
    return content_->width();
}

int Window::clientHeight() const
{
    host_->layout()->activate();
    return content_->height();
}

void Window::setPlacement(int placement)
{
    if (placement == 1)
        centre(host_);
}

// ---- opening and closing -------------------------------------------------

bool WindowManager::open_(Window* window, Window* owner, bool modal)
{
    window->owner_ = owner;
    window->modal_ = modal;
    if (owner)
        owner->owned_.push_back(window);
    open.push_back(window);
    window->resolveShortcuts();
    window->state_ = Window::State::Creating;
    fire(window->created);
    if (window->state_ != Window::State::Creating)
        return false;   // closed inside its created event; destroyed later
    window->state_ = Window::State::Open;
    QWidget* host = window->host_;
    if (host->property("qelvanaCentre").toBool()) {
        host->setProperty("qelvanaCentre", false);
        centre(host);
    }
    if (!modal) {
        host->show();
        return true;
    }
    host->setWindowModality(Qt::ApplicationModal);
    host->show();
    QEventLoop loop;
    window->endModalLoop_ = [&loop] { loop.quit(); };
    interaction().modalWindowOpened(*window);
    if (window->state_ == Window::State::Open)
        loop.exec(QEventLoop::DialogExec);
    window->endModalLoop_ = nullptr;
    if (window->isOpen())
        close(*window);   // the loop ended some other way: keep the contract
    return false;
}

void WindowManager::close(Window& window)
{
    if (!window.isOpen())
        return;
    window.state_ = Window::State::Closed;
    for (Window* child : std::vector<Window*>(window.owned_))
        close(*child);
    // A closed window's timers must not tick while it waits to be destroyed.
    for (QTimer* timer : window.host_->findChildren<QTimer*>())
        timer->stop();
    fire(window.destroyed);
    window.host_->hide();
    if (window.owner_)
        std::erase(window.owner_->owned_, &window);
    std::erase(open, &window);
    closed.push_back(&window);
    window.owner_ = nullptr;
    if (window.endModalLoop_) {
        auto end = std::move(window.endModalLoop_);
        window.endModalLoop_ = nullptr;
        end();
    }
    if (open.empty() && mainLoop)
        mainLoop->quit();
    if (!handlerRunning())
        QTimer::singleShot(0, qApp, [] { flushClosedWindows(); });
}

void WindowManager::flush()
{
    if (handlerRunning())
        return;
    while (!closed.empty()) {
        Window* window = closed.back();
        closed.pop_back();
        delete window;
    }
}

void flushClosedWindows() { WindowManager::instance().flush(); }
bool closedWindowsPending() { return !WindowManager::instance().closed.empty(); }

bool openWindow(Window* window, Window* owner, bool modal)
{
    return WindowManager::instance().open_(window, owner, modal);
}

void closeWindow(Window& window) { WindowManager::instance().close(window); }
int windowClientWidth(const Window& window) { return window.clientWidth(); }
int windowClientHeight(const Window& window) { return window.clientHeight(); }

std::vector<Window*> openWindows() { return WindowManager::instance().open; }

void bringToFront(Window& window)
{
    if (!window.isOpen())
        return;
    QWidget* host = window.containerWidget()->window();
    host->setWindowState(host->windowState() & ~Qt::WindowMinimized);
    host->show();
    host->raise();
    host->activateWindow();
}

void runEventLoop()
{
    ensureRuntime();
    WindowManager& manager = WindowManager::instance();
    if (!manager.open.empty()) {
        QEventLoop loop;
        manager.mainLoop = &loop;
        loop.exec();
        manager.mainLoop = nullptr;
    }
    manager.flush();
}
