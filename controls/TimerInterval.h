#pragma once
// Timers tick as the Windows timers this program was designed against: an interval below
// 10 ms ticks every 10 ms. A 1 ms cursor poll that really ran every millisecond would cost
// about a tenth of a core under X, where each cursor query is a round trip to the server.

namespace controls {

inline constexpr int kMinimumTimerIntervalMs = 10;

constexpr int EffectiveTimerInterval(int requestedMs) {
    return requestedMs < kMinimumTimerIntervalMs ? kMinimumTimerIntervalMs : requestedMs;
}

}  // namespace controls
