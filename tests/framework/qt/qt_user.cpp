#include "qt_user.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QWidget>

#include "framework/core/strings.h"
#include "view_check.h"

namespace trx::test {

namespace {
QElapsedTimer& Clock() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock;
}
} // namespace

QtUser::QtUser(int TimeoutMs) : timeoutMs_(TimeoutMs) {
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, &QtUser::Tick);
}

QtUser::~QtUser() {
    timer_.stop();
    if (!steps_.empty()) ADD_FAILURE() << "the user never got to: " << steps_.front().What;
}

QtUser& QtUser::When(const std::string& What, std::function<bool()> Condition, std::function<void()> Action) {
    steps_.push_back(TStep{What, std::move(Condition), std::move(Action)});
    if (!timer_.isActive()) timer_.start();
    return *this;
}

void QtUser::Tick() {
    // The model is in the middle of a change: the user waits for it.
    if (QtWindowsBusy()) return;
    if (steps_.empty()) {
        timer_.stop();
        return;
    }
    if (started_ < 0) started_ = Clock().elapsed();
    TStep& step = steps_.front();
    if (step.Condition()) {
        TStep done = std::move(step);
        steps_.pop_front();
        started_ = -1;
        // What the user is about to act on is what a person would see.
        CheckShownWindows();
        done.Action();
        return;
    }
    if (Clock().elapsed() - started_ > timeoutMs_) {
        ADD_FAILURE() << "timed out waiting for: " << step.What;
        steps_.clear();
        timer_.stop();
        // Nobody will answer the model's windows now: end its loops.
        Application()->Terminate();
    }
}

bool Shown(const TControl* Control) {
    const QWidget* w = QtWidget(Control);
    return w && w->isVisible();
}

bool ProcessUntil(const std::function<bool()>& Condition, int TimeoutMs) {
    const QDeadlineTimer deadline(TimeoutMs);
    for (;;) {
        Application()->ProcessMessages();
        if (Condition()) return true;
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
}

TCustomForm* FindForm(const std::string& Name) {
    for (int i = 0; i < Screen()->FormCount(); ++i)
        if (SameText(Screen()->Forms(i)->Name(), Name)) return Screen()->Forms(i);
    return nullptr;
}

QtWindowsFixture::QtWindowsFixture() {
    ResetApplication();
    UseQtWindows();
}

QtWindowsFixture::~QtWindowsFixture() {
    ResetApplication();
    StopQtWindows();
}

} // namespace trx::test
