#pragma once
// Windows of the program. Each program window derives from Window and
// declares its units as members; the constructor only builds the units and
// wires their events, and the created event does the rest.
//
// Life cycle: loadWindow/loadStartWindow construct the window, run its
// created event (which may close it), then show it. closeWindow closes the
// windows it owns first, runs the being-destroyed event once, hides the
// window and destroys the object later, once no handler is running any more.
#include "common/windows/unit.h"

#include <memory>
#include <vector>

class WindowHost;
class QMenuBar;
class QAction;

class Window : public Container {
public:
    Window(const Text& name, const Rect& design, const Text& caption);
    ~Window() override;

    const Text& name() const { return name_; }

    Text caption() const;
    void setCaption(const Text& caption);
    int left() const;
    int top() const;
    // Outer size: the client area with a nominal frame and menu bar (see
    // window.cpp); the frame and menu bar really drawn come on top of it.
    int width() const;
    int height() const;
    void setWidth(int width);
    void setHeight(int height);
    // 1 re-centres the window on its screen; other values leave it.
    void setPlacement(int placement);
    int clientWidth() const;
    int clientHeight() const;

    Window* owner() const { return owner_; }
    bool isOpen() const { return state_ == State::Open || state_ == State::Creating; }
    bool isModal() const { return modal_; }

    std::function<void()> created;
    std::function<bool()> mayClose;          // close box only; true allows
    std::function<void()> destroyed;
    std::function<void()> resized;
    std::function<void(int button)> mouseUp; // released over the window itself

private:
    friend class WindowManager;
    friend class WindowHost;
    friend struct QtObjects;
    QWidget* containerWidget() const override;
    // The window's menu bar, made on first use; menus are added in order.
    QMenuBar* menuBar();
    // Shortcut codes: 1-26 Ctrl+A..Ctrl+Z, 27-38 F1..F12. Where a menu and an
    // item of one window share a code, the item keeps it.
    void registerShortcut(QAction* action, int code, bool isMenu);
    enum class State { Constructed, Creating, Open, Closed };

    void resolveShortcuts();
    int menuBarRoom() const;
    void resizeOuter(int width, int height);
    void fitMenuBar();

    struct Shortcut {
        QAction* action;
        int code;
        bool isMenu;
    };
    Text name_;
    WindowHost* host_;
    QWidget* content_;
    QMenuBar* menuBar_ = nullptr;
    int menuBarRoom_ = 0;   // the bar's height when the window was last sized
    std::vector<Shortcut> shortcuts_;
    Window* owner_ = nullptr;
    bool modal_ = false;
    State state_ = State::Constructed;
    std::vector<Window*> owned_;
    std::function<void()> endModalLoop_;
};

// Opens a window of type W (constructed with `args`). A modeless window is
// shown when the call returns and is returned. A modal call returns only
// when the window has closed. A closed window is never returned: the result
// is nullptr then.
bool openWindow(Window* window, Window* owner, bool modal);   // true: still open

template <class W, class... Args>
W* loadWindow(Window* owner, bool modal, Args&&... args)
{
    W* window = new W(std::forward<Args>(args)...);
    return openWindow(window, owner, modal) ? window : nullptr;
}

// The first window of the program; its created event runs inside this call,
// before any event loop exists, and may end the program.
template <class W, class... Args>
W* loadStartWindow(Args&&... args)
{
    return loadWindow<W>(nullptr, false, std::forward<Args>(args)...);
}

void closeWindow(Window& window);
int windowClientWidth(const Window& window);
int windowClientHeight(const Window& window);
// Windows open now (created event running or shown), in opening order.
std::vector<Window*> openWindows();
// An open window restored if minimised, raised above the others and made
// the active window.
void bringToFront(Window& window);
// Closes every open window as its close box would, the latest first: each
// is asked (its may-close handler), and one that refuses stays open with
// the windows that own it. True when no window is left open.
bool closeAllWindows();
