#pragma once
// The windows service's own: small helpers shared by the unit implementations.

inline bool inRange(int index, int count) { return index >= 0 && index < count; }
