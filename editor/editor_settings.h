#pragma once
// The editor's display preferences in the settings store and its file
// association in the registry store.
#include "common/grid/grid_table.h"
#include "common/program/settings.h"

#include <functional>

// The grid's display properties as the store keeps them (program "Tabrel",
// section "用户习惯"); a key that is absent gives its default.
GridDisplay readEditorSettings();
// All eight keys, whether or not they changed; switches as 1 or 0.
void writeEditorSettings(const GridDisplay& display);

// The program's own path: the directory, "\" unless it ends in one, the name.
Text programPathFor(const Text& directory, const Text& fileName);

using RegistryWriter = std::function<bool(const Text& root, const Text& keyPath, const Text& value)>;
// The four values of the ".zqd" association under HKEY_CLASSES_ROOT, in
// order; false at the first write that fails, leaving the rest unwritten.
bool registerFileAssociation(const Text& programPath, const RegistryWriter& write = writeRegistryText);
