#pragma once
// The settings store and the registry store: per-user files under the
// user's configuration directory ($XDG_CONFIG_HOME or ~/.config, in
// "Qelvana"). Settings are kept per program ("<program>.ini"); the registry
// store is one file ("registry.ini") that stands in for the system registry.
#include "common/text/gbk.h"

// The stored number, or `defaultValue` when the key is absent or not a number.
int readSettingNumber(const Text& program, const Text& section, const Text& key, int defaultValue);
void writeSettingNumber(const Text& program, const Text& section, const Text& key, int value);

// `keyPath` names a key and a value with "\" separators: "a\b\name" is the
// value "name" of key "a\b"; a path ending in "\" ("a\b\") is the key's
// default value. True when the value was stored; an empty root or key name
// is refused.
bool writeRegistryText(const Text& root, const Text& keyPath, const Text& value);
// The stored text, "" when absent.
Text readRegistryText(const Text& root, const Text& keyPath);
