#include "app/rsimage.h"
