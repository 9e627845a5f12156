// A user at the real windows, for tests on Qt's offscreen platform: steps
// that wait for a condition of the model or its windows and then act on the
// widgets with QTest, checked from a Qt timer while the model's own loop
// runs (a modal form, a long print). Each step waits at most a bounded time;
// one that never comes is a test failure and ends the model's loops.
#pragma once

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>

#include "framework/forms/application.h"
#include "framework/qt/qt_windows.h"

class QWidget;

namespace trx::test {

class QtUser : public QObject {
public:
    explicit QtUser(int TimeoutMs = 20000);
    ~QtUser() override;

    // Once Condition holds, Action runs (then the next step waits).
    QtUser& When(const std::string& What, std::function<bool()> Condition, std::function<void()> Action);
    bool Done() const { return steps_.empty(); }

private:
    struct TStep {
        std::string What;
        std::function<bool()> Condition;
        std::function<void()> Action;
    };
    void Tick();

    std::deque<TStep> steps_;
    QTimer timer_;
    int timeoutMs_;
    qint64 started_ = -1;
};

// The widget of a control, shown on the screen.
bool Shown(const TControl* Control);
// Lets the model take what the windows have queued, until Condition holds
// (at most a bounded time); false when it never did.
bool ProcessUntil(const std::function<bool()>& Condition, int TimeoutMs = 10000);
// The form of that name, or nullptr.
TCustomForm* FindForm(const std::string& Name);

// A fresh application with the Qt windows installed.
class QtWindowsFixture {
protected:
    QtWindowsFixture();
    ~QtWindowsFixture();
};

} // namespace trx::test
