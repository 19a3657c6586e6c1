#include "platform/clock.h"

std::atomic<int32_t> TMR { 0 };
