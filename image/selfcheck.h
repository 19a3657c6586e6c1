#pragma once
// The start-up check that the build constants of the image layout fit
// together. With a sound layout it says nothing; each misfit becomes one
// message for the main window to show.

#include <array>
#include <string>
#include <vector>

struct LayoutConstants {
    struct Enumeration {
        const char* name;
        int excess; // how far the enumeration runs past the area it indexes
    };
    // Adrw, Adrb, Monw, Monb: word and byte cells of the image, words and
    // bytes of the live block.
    std::array<Enumeration, 4> enumerations;
    std::array<int, 7> bitFieldWidths;
    int imageLength; // RS_LEN_EXE
    int linkBufferLength; // COMMAXBUF
};

// The constants of this build.
LayoutConstants ThisBuildLayout();

// The messages of every failing check, in the order the checks run.
std::vector<std::string> SelfCheckMessages(const LayoutConstants& layout);
