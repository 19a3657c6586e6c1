#include "monitor/extmonitor_live.h"

#include "app/main.h"
#include "monitor/mycomponent.h"
#include "monitor/valuedefs.h"

void UpdateDefValues(TMainForm* form)
{
    const DefValueSources sources { form->Live, form->Monitor.Values, form->Monitor.Channels, form->PcImage };
    if (UpdateDefValues(sources))
        MarkMonitorDirty();
}
