#pragma once
// The grid service's own: the grid units of every window, found by window and
// name. Units enter in their constructors and leave in their destructors,
// so whatever is found here is alive; a grid looks its data source up on
// every use, in whatever order the window declared the two.
#include "common/grid/grid_table.h"
#include "common/internal/qt_objects.h"

#include <algorithm>
#include <vector>

template <class T>
class GridUnits {
public:
    static void add(T* unit) { list().push_back(unit); }
    static void remove(T* unit) { std::erase(list(), unit); }
    static T* find(const QWidget* window, const Text& name)
    {
        for (T* unit : list())
            if (QtObjects::windowKey(*unit) == window && unit->name() == name)
                return unit;
        return nullptr;
    }
    static const std::vector<T*>& all() { return list(); }

private:
    static std::vector<T*>& list()
    {
        static std::vector<T*> units;
        return units;
    }
};

// The window a unit belongs to: the top-level widget of its container.
const QWidget* windowOf(const Container& container);
// Redraws the grids of the source's window that name it.
void refreshGridsOf(const DataSource& source);
