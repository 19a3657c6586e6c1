#pragma once
// The external monitor's modes.

constexpr int MODE_READ_ONLY = 0; // the layout scales with the window
constexpr int MODE_EDIT = 1; // zoom 1; widgets are selected, moved, added
constexpr int MODE_LOADING = 2; // a set is being read or built
constexpr int MODE_SWITCHING = 3; // the window takes the base size for edit mode
