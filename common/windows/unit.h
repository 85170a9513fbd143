#pragma once
// Units: the controls of a window. Each is placed at a fixed position inside
// its container (a window, a group box, a tab page or a picture box) and is
// addressed by its name. Events are plain callbacks that the window sets to
// its handlers; they run only for the user's actions unless a unit says
// otherwise, and never while a setter called by the program runs.
#include "common/dialogs/font_spec.h"
#include "common/text/text.h"

#include <functional>

class QWidget;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

class Container {
public:
    virtual ~Container() = default;

private:
    friend struct QtObjects;
    // The Qt widget that units placed on the container are children of.
    virtual QWidget* containerWidget() const = 0;
};

class Unit {
public:
    virtual ~Unit();
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    const Text& name() const { return name_; }

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);

    bool visible() const;       // as set; a hidden container hides it anyway
    void setVisible(bool visible);
    bool disabled() const;
    void setDisabled(bool disabled);
    void setFont(const FontSpec& font);
    FontSpec font() const;

    virtual Text caption() const;
    virtual void setCaption(const Text& caption);

protected:
    friend struct QtObjects;
    // The Qt widget behind the unit (null for units without one).
    QWidget* widget() const { return widget_; }

    // `widget` must already be a child of the container's widget (or null
    // for units that have no widget, such as timers).
    Unit(const Text& name, QWidget* widget, const Rect& r);

private:
    Text name_;
    QWidget* widget_;
};

void moveUnit(Unit& unit, int left, int top, int width, int height);

// Generic access to the properties every visual unit has.
enum class UnitProperty { Left, Top, Width, Height, Visible, Disabled, Caption };
Text getUnitProperty(const Unit& unit, UnitProperty property);
void setUnitProperty(Unit& unit, UnitProperty property, const Text& value);
