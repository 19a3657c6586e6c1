#pragma once
// The program clock. The 55 ms main timer counts ticks; TMR is ticks x 50 and
// is read as milliseconds by the link threads, the status slots and the
// update check. It is written only by the tick (or by a test standing in for it).

#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> TMR;

// Sets TMR for the given tick count; the product wraps like the unit's clock
// instead of overflowing.
inline void SetProgramClock(int32_t tickCount)
{
    TMR.store(int32_t(uint32_t(tickCount) * 50u), std::memory_order_release);
}

inline int32_t TmrNow()
{
    return TMR.load(std::memory_order_acquire);
}

// later - earlier in milliseconds, correct across the wrap of the 32-bit clock.
inline int32_t TmrDiff(int32_t later, int32_t earlier)
{
    return int32_t(uint32_t(later) - uint32_t(earlier));
}

// Milliseconds since `since` on the program clock.
inline int32_t TmrSince(int32_t since)
{
    return TmrDiff(TmrNow(), since);
}
