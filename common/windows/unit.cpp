#include "common/windows/unit.h"

#include "common/internal/faces.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/text/text.h"

#include <QFont>
#include <QWidget>

Unit::Unit(const Text& name, QWidget* widget, const Rect& r) : name_(name), widget_(widget)
{
    if (!widget_)
        return;
    widget_->setObjectName(toQString(name));
    widget_->setGeometry(r.left, r.top, r.width, r.height);
    widget_->show();
}

Unit::~Unit() { delete widget_; }

QWidget* QtObjects::widget(const Unit& unit) { return unit.widget(); }
QWidget* QtObjects::container(const Container& container) { return container.containerWidget(); }

int Unit::left() const { return widget_ ? widget_->x() : 0; }
int Unit::top() const { return widget_ ? widget_->y() : 0; }
int Unit::width() const { return widget_ ? widget_->width() : 0; }
int Unit::height() const { return widget_ ? widget_->height() : 0; }

void Unit::setLeft(int left) { if (widget_) widget_->move(left, widget_->y()); }
void Unit::setTop(int top) { if (widget_) widget_->move(widget_->x(), top); }
void Unit::setWidth(int width) { if (widget_) widget_->resize(width, widget_->height()); }
void Unit::setHeight(int height) { if (widget_) widget_->resize(widget_->width(), height); }
void moveUnit(Unit& unit, int left, int top, int width, int height)
{
    if (QtObjects::widget(unit))
        QtObjects::widget(unit)->setGeometry(left, top, width, height);
}

bool Unit::visible() const { return widget_ && !widget_->isHidden(); }
void Unit::setVisible(bool visible) { if (widget_) widget_->setVisible(visible); }
bool Unit::disabled() const { return widget_ && !widget_->isEnabled(); }
void Unit::setDisabled(bool disabled) { if (widget_) widget_->setEnabled(!disabled); }

void Unit::setFont(const FontSpec& spec)
{
    if (!widget_)
        return;
    QFont font = widget_->font();
    if (!spec.face.empty())
        setDrawnFace(font, spec.face);
    if (spec.points > 0)
        font.setPointSize(spec.points);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    widget_->setFont(font);
}

FontSpec Unit::font() const
{
    FontSpec spec;
    if (!widget_)
        return spec;
    QFont font = widget_->font();
    spec.face = fromQString(font.family());
    spec.points = font.pointSize();
    spec.bold = font.bold();
    spec.italic = font.italic();
    spec.underline = font.underline();
    spec.strikeOut = font.strikeOut();
    return spec;
}

Text Unit::caption() const { return {}; }
void Unit::setCaption(const Text&) {}

Text getUnitProperty(const Unit& unit, UnitProperty property)
{
    switch (property) {
    case UnitProperty::Left: return toText(unit.left());
    case UnitProperty::Top: return toText(unit.top());
    case UnitProperty::Width: return toText(unit.width());
    case UnitProperty::Height: return toText(unit.height());
    case UnitProperty::Visible: return toText(unit.visible());
    case UnitProperty::Disabled: return toText(unit.disabled());
    case UnitProperty::Caption: return unit.caption();
    }
    return {};
}

void setUnitProperty(Unit& unit, UnitProperty property, const Text& value)
{
    auto truth = [&] { return value == "true" || toInteger(value) != 0; };
    switch (property) {
    case UnitProperty::Left: unit.setLeft(toInteger(value)); break;
    case UnitProperty::Top: unit.setTop(toInteger(value)); break;
    case UnitProperty::Width: unit.setWidth(toInteger(value)); break;
    case UnitProperty::Height: unit.setHeight(toInteger(value)); break;
    case UnitProperty::Visible: unit.setVisible(truth()); break;
    case UnitProperty::Disabled: unit.setDisabled(truth()); break;
    case UnitProperty::Caption: unit.setCaption(value); break;
    }
}
