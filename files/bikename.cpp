#include "files/bikename.h"

#include <cctype>

std::string BikeNameToFileName(std::string_view bikeText)
{
    std::string out;
    bool inRun = false; // two or more blanks, or blanks at the start, were dropped
    bool bracketOpened = false;
    for (size_t i = 0; i < bikeText.size(); ++i) {
        char c = bikeText[i];
        if (c == ' ' && (i == 0 || bikeText[i - 1] == ' ')) {
            inRun = true;
            continue;
        }
        if (c != ' ') {
            // The list pads the model years into a column after a run of blanks.
            if (inRun && std::isdigit(static_cast<unsigned char>(c))) {
                out += '(';
                bracketOpened = true;
            }
            inRun = false;
        }
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    if (bracketOpened)
        out += ')';
    return out;
}
