#pragma once
// The windows service's own: right-button presses on item views must not move
// the current item; the unit still learns of them through `report`.
#include <QAbstractItemView>
#include <QObject>
#include <functional>

class RightButtonGuard : public QObject {
public:
    // report(button code, true for press / false for release)
    RightButtonGuard(QAbstractItemView* view, std::function<void(bool pressed)> report);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(bool pressed)> report_;
};
