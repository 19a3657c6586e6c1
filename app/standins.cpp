// Stand-ins for the parts of the main window not built yet: each does only
// what the window's own steps rely on afterwards, and the area named above it
// replaces it. None is left today.

#include "app/standins.h"
