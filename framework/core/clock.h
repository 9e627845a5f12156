// The clock: monotonic milliseconds, the local wall-clock time and waiting.
// Everything that waits or reads the time goes through the current clock, so
// that tests can put a fake clock in its place and never sleep.
#pragma once

#include <cstdint>
#include <functional>

namespace trx {

class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds from an arbitrary start; never goes back.
    virtual int64_t TickCount() = 0;
    // Local date and time as a TDateTime value (days since 1899-12-30).
    virtual double LocalDateTime() = 0;
    // Lets Ms milliseconds pass (the real clock sleeps, a fake one advances).
    virtual void Wait(int64_t Ms) = 0;
};

// The system's clock.
class TSystemClock : public TClock {
public:
    int64_t TickCount() override;
    double LocalDateTime() override;
    void Wait(int64_t Ms) override;
};

// A clock for tests: starts at a given moment and moves only when told to,
// or when something waits on it.
class TFakeClock : public TClock {
public:
    explicit TFakeClock(double StartDateTime = 46000.5, int64_t StartTicks = 1000000)
        : ticks_(StartTicks), start_(StartDateTime), startTicks_(StartTicks) {}
    int64_t TickCount() override { return ticks_; }
    double LocalDateTime() override { return start_ + double(ticks_ - startTicks_) / 86400000.0; }
    void Wait(int64_t Ms) override { Advance(Ms); }
    void Advance(int64_t Ms) {
        if (Ms > 0) ticks_ += Ms;
    }
    void SetDateTime(double Value) {
        start_ = Value;
        startTicks_ = ticks_;
    }

private:
    int64_t ticks_;
    double start_;
    int64_t startTicks_;
};

// The current clock (the system clock unless replaced).
TClock& Clock();
// Replaces the current clock; nullptr restores the system clock. The caller
// keeps ownership and must restore before the clock is destroyed.
void SetClock(TClock* Clock);

// Restores the previous clock when it leaves scope.
class TClockOverride {
public:
    explicit TClockOverride(TClock& Clock);
    ~TClockOverride();
    TClockOverride(const TClockOverride&) = delete;
    TClockOverride& operator=(const TClockOverride&) = delete;

private:
    TClock* previous_;
};

// Milliseconds of the current clock, signed 64-bit.
int64_t GetTickCount();

// Processes the application's messages, as the form layer installs it.
// Without a hook it does nothing.
using TProcessMessagesHook = std::function<void()>;
void SetProcessMessagesHook(TProcessMessagesHook Hook);
void ProcessMessagesHook();

// Processes messages until more than Ms milliseconds of the current clock
// have passed.
void Delay(int64_t Ms);

} // namespace trx
