#include "app/servicecalls.h"

std::function<void(const char* name)> ServiceCallListener;

void ReportServiceCall(const char* name)
{
    if (ServiceCallListener)
        ServiceCallListener(name);
}
