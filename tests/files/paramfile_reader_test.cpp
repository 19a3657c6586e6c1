#include "files/paramfile.h"
