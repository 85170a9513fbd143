#pragma once
// Internal to common/: small helpers shared by the unit implementations.
#include "common/unit.h"

#include <QWidget>

inline QWidget* parentOf(Container& c) { return c.containerWidget(); }
inline bool inRange(int index, int count) { return index >= 0 && index < count; }
