#include "framework/core/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace trx {

int64_t TSystemClock::TickCount() {
    // The coarse clock (a few milliseconds a tick, as the tick count has
    // always been) costs a fraction of the precise one; long loops read it
    // for every row.
    timespec ts{};
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &ts) != 0) {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

double TSystemClock::LocalDateTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const int64_t ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    // Seconds since the epoch in local time, then days since 1899-12-30.
    const int64_t localSecs = static_cast<int64_t>(t) + local.tm_gmtoff;
    return 25569.0 + (double(localSecs) + double(ms) / 1000.0) / 86400.0;
}

void TSystemClock::Wait(int64_t Ms) {
    if (Ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

namespace {
TSystemClock& SystemClock() {
    static TSystemClock clock;
    return clock;
}
TClock* current = nullptr;
TProcessMessagesHook& Hook() {
    static TProcessMessagesHook hook;
    return hook;
}
} // namespace

TClock& Clock() { return current ? *current : SystemClock(); }
void SetClock(TClock* c) { current = c; }

TClockOverride::TClockOverride(TClock& c) : previous_(current) { current = &c; }
TClockOverride::~TClockOverride() { current = previous_; }

int64_t GetTickCount() { return Clock().TickCount(); }

void SetProcessMessagesHook(TProcessMessagesHook h) { Hook() = std::move(h); }
void ProcessMessagesHook() {
    if (Hook()) Hook()();
}

void Delay(int64_t Ms) {
    // Done once the time passed is more than the wait, not when it equals it:
    // the messages run once more at the very tick the wait is up.
    const int64_t start = GetTickCount();
    for (;;) {
        ProcessMessagesHook();
        const int64_t elapsed = GetTickCount() - start;
        if (elapsed > Ms) break;
        const int64_t left = Ms - elapsed + 1;
        Clock().Wait(left < 10 ? left : 10);
    }
}

} // namespace trx
