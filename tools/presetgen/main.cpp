// presetgen FOLDER: writes the stand-in presets of every bike into FOLDER
// (presets/NEW_308 of the source tree is made this way).

#include "standin.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: presetgen FOLDER\n");
        return 2;
    }
    if (!WriteStandInPresets(argv[1])) {
        std::fprintf(stderr, "presetgen: cannot write the presets into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
