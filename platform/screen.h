#pragma once
// Windows kept on the desktop.

class TForm;

// Moves and shrinks a window onto the nearest screen.
void KeepFormOnScreen(TForm* form);
