#pragma once
// Stand-ins for what the main window calls of areas not built yet. Each
// takes the main window and runs on the user-interface thread; the area
// that builds the real function deletes its stand-in here. None is left
// today.

class TMainForm;
