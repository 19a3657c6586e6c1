// What the views answer for: the table view takes its events here; the
// graph views take theirs in GraphViewHandles.
#include "mapedit/tab.h"

#include "mapedit/tabcanvas.h"

#include <algorithm>
#include <cmath>

int TTab::ViewHandles(int view, TabViewEvent event, int argument)
{
    if (!Sheet)
        return 0;
    if (view == VIEW_2D || view == VIEW_3D || view == VIEW_ONOFF)
        return GraphViewHandles(view, event, argument);
    if (view != VIEW_TABLE)
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
