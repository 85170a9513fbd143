#include "common/windows/window.h"

#include "common/dialogs/interaction.h"
#include "common/internal/dispatch.h"
#include "common/internal/hosts.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/program/program.h"

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

// Window sizes are outer sizes, as the design gives them: on the window
// system they were drawn for, the frame takes 8 px of width and 26 px of
// height (an 18-px caption and two 4-px borders), and a menu bar of 19 px
// lies outside the client area. The client area is what is left; the frame
// and the menu bar that are really drawn are added outside it.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 26;
constexpr int kMenuBarHeight = 19;

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
    }, this);
}

void WindowHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (window_->isOpen())
        fire(this, window_->resized);
}

bool WindowHost::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved
        || event->type() == QEvent::ActionChanged)
        window_->fitMenuBar();
    return QWidget::eventFilter(watched, event);
}

void WindowHost::mouseReleaseEvent(QMouseEvent* event)
{
    fire(this, window_->mouseUp, mouseButtonCode(event->button()));
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
    host_->setWindowTitle(toWindowTitle(caption));
    auto* layout = new QVBoxLayout(host_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    content_ = new QWidget(host_);
    layout->addWidget(content_);
    resizeOuter(design.width, design.height);
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

QMenuBar* QtObjects::menuBar(Window& window) { return window.menuBar(); }

void QtObjects::registerShortcut(Window& window, QAction* action, int code, bool isMenu)
{
    window.registerShortcut(action, code, isMenu);
}

QMenuBar* Window::menuBar()
{
    if (!menuBar_) {
        const int w = width(), h = height();
        menuBar_ = new QMenuBar(host_);
        static_cast<QVBoxLayout*>(host_->layout())->setMenuBar(menuBar_);
        menuBar_->show();   // hidden until shown, the layout would give it no room
        menuBar_->installEventFilter(host_);
        resizeOuter(w, h);
    }
    return menuBar_;
}

int Window::menuBarRoom() const
{
    // What the layout gives the bar at the host's width.
    if (!menuBar_)
        return 0;
    const int forWidth = menuBar_->heightForWidth(std::max(host_->width(), menuBar_->minimumWidth()));
    return forWidth > 0 ? forWidth : menuBar_->sizeHint().height();
}

void Window::resizeOuter(int width, int height)
{
    const int nominalMenuBar = menuBar_ ? kMenuBarHeight : 0;
    host_->resize(std::max(width - kFrameWidth, 1), host_->height());
    menuBarRoom_ = menuBarRoom();
    host_->resize(host_->width(), std::max(height - kFrameHeight - nominalMenuBar, 1) + menuBarRoom_);
}

void Window::fitMenuBar()
{
    // Menus added later change the bar's height; the client area keeps its.
    const int client = host_->height() - menuBarRoom_;
    menuBarRoom_ = menuBarRoom();
    host_->resize(host_->width(), client + menuBarRoom_);
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
Text Window::caption() const { return fromWindowTitle(host_->windowTitle()); }
void Window::setCaption(const Text& caption) { host_->setWindowTitle(toWindowTitle(caption)); }
int Window::left() const { return host_->x(); }
int Window::top() const { return host_->y(); }
int Window::width() const { return host_->width() + kFrameWidth; }
int Window::height() const { return clientHeight() + kFrameHeight + (menuBar_ ? kMenuBarHeight : 0); }
void Window::setWidth(int width) { resizeOuter(width, height()); }
void Window::setHeight(int height) { resizeOuter(width(), height); }

namespace {
// Before the first show the layout has not run, and a resize of a hidden
// window does not tell it.
void settle(QWidget* host)
{
    host->layout()->invalidate();
    host->layout()->activate();
}
} // namespace

int Window::clientWidth() const
{
    settle(host_);
    return content_->width();
}

int Window::clientHeight() const
{
    settle(host_);
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
    fire(window->host_, window->created);
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
    fire(window.host_, window.destroyed);
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
    QWidget* host = QtObjects::container(window)->window();
    host->setWindowState(host->windowState() & ~Qt::WindowMinimized);
    host->show();
    host->raise();
    host->activateWindow();
}

bool closeAllWindows()
{
    std::vector<Window*> refused;
    auto ownsRefused = [&](Window* window) {
        for (Window* kept : refused)
            for (Window* owner = kept->owner(); owner; owner = owner->owner())
                if (owner == window)
                    return true;
        return false;
    };
    const std::vector<Window*> windows = openWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        Window* window = *it;
        if (!window->isOpen())
            continue;
        if (ownsRefused(window) || (window->mayClose && !window->mayClose()))
            refused.push_back(window);
        else
            closeWindow(*window);
    }
    return openWindows().empty();
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
