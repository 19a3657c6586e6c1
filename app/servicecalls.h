#pragma once
// The window's order tests follow the calls of the stand-ins and of the
// page and language steps: each reports its own name when a listener is set.

#include <functional>

extern std::function<void(const char* name)> ServiceCallListener;
void ReportServiceCall(const char* name);
