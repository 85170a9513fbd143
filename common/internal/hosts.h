#pragma once
// Internal to common/: the Qt widget behind a Window.
#include <QWidget>

class Window;

class WindowHost : public QWidget {
public:
    explicit WindowHost(Window* window);
    Window* window() const { return window_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;   // the menu bar's actions

private:
    Window* window_;
};

int mouseButtonCode(Qt::MouseButton button);
