// What the views answer for: the table view takes its events here; the
// graph views and the view presets come with their own files.
#include "mapedit/tab.h"

#include "mapedit/tabcanvas.h"

#include <algorithm>
#include <cmath>

void TTab::DetectViewPreset()
{
}

int TTab::ViewHandles(int view, TabViewEvent event, int argument)
{
    if (view != VIEW_TABLE || !Sheet)
        return 0;
    switch (event) {
    case TabViewEvent::PointerMove:
        TableMouseMove();
        return 0;
    case TabViewEvent::LeftDown:
        return TableMouseDown();
    case TabViewEvent::LeftUp:
        return TableMouseUp();
    case TabViewEvent::RightDown:
        return TableRightDown();
    case TabViewEvent::DoubleClick:
        return TableDoubleClick();
    case TabViewEvent::Wheel:
        return TableWheel(argument);
    case TabViewEvent::Key:
        return TableKey(argument);
    }
    return 0;
}
