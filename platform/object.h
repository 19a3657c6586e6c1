#pragma once
// The root of the program's components and of the few widgets that are no
// layer control (the map table), so that code can know them by class name.

class TObject {
public:
    virtual ~TObject() = default;
    // The class name the print walk and the language tables know controls by.
    virtual const char* ClassName() const { return "TObject"; }
};
