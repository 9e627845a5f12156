// The component's windows on a real display: the password prompt of a
// protected report, then the progress window of a long print, which Escape
// suspends (Resume or Abort), and its outcome.
//
//     tabrix_windows                     you answer; the password is "secret"
//     tabrix_windows --screenshots DIR   a built-in user answers, and each
//                                        window is photographed from the
//                                        screen into DIR as a PNG file
//
// Without a display (no DISPLAY or WAYLAND_DISPLAY) Qt runs offscreen, and
// the pictures are the windows' own renderings.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "framework/core/clock.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "framework/qt/qt_windows.h"
#include "ui/password_prompt.h"
#include "ui/progress_window.h"

namespace {

using namespace trx;


// A user who answers the windows and photographs them: one step a tick of
// a timer, which the model's loop runs while the windows wait.
class ScreenshotUser {
public:
    explicit ScreenshotUser(std::filesystem::path Dir) : dir_(std::move(Dir)), timer_(nullptr) {
        std::filesystem::create_directories(dir_);
        timer_.SetInterval(150);
        timer_.OnTimer = [this](TObject*) { Tick(); };
        Step([] { return fmPassword && fmPassword->Visible(); }, [] { UserType(fmPassword->edPassword, "secret"); });
        Step([] { return fmPassword && fmPassword->edPassword->Text() == "secret"; },
             [this] {
                 Photograph(fmPassword, "password-prompt.png");
                 UserClick(fmPassword->edOk);
             });
        Step([] { return fmProgress && fmProgress->Width() > 0 && fmProgress->paProgressBar->Width() > 90; },
             [this] { Photograph(fmProgress, "progress-window.png"); });
        Step([] { return fmProgress && fmProgress->bbOk->Visible(); },
             [this] {
                 Photograph(fmProgress, "progress-result.png");
                 UserClick(fmProgress->bbOk);
             });
    }
    bool Done() const { return next_ == steps_.size(); }
    int Failures() const { return failures_; }

private:
    struct TStep {
        std::function<bool()> Ready;
        std::function<void()> Act;
    };
    void Step(std::function<bool()> Ready, std::function<void()> Act) {
        steps_.push_back(TStep{std::move(Ready), std::move(Act)});
    }
    void Tick() {
        if (Done() || !steps_[next_].Ready()) return;
        steps_[next_++].Act();
    }
    void Photograph(const TCustomForm* Form, const std::string& Name) {
        const std::string file = (dir_ / Name).string();
        if (SaveWindowPicture(Form, file)) {
            std::printf("screenshot: %s\n", file.c_str());
        } else {
            std::fprintf(stderr, "no screenshot of %s\n", Name.c_str());
            ++failures_;
        }
    }

    std::filesystem::path dir_;
    TTimer timer_;
    std::vector<TStep> steps_;
    std::size_t next_ = 0;
    int failures_ = 0;
};

// A long print as the progress window sees it: Rows rows worked through
// ten in 10 ms, pages of 60 rows, until done or aborted.
int PrintSomething(int Rows) {
    auto ps = std::make_unique<TPrintSettings>();
    auto oi = std::make_unique<TObjInfo>();
    PrintSettings = ps.get();
    ObjInfo = oi.get();
    ps->Oper = TOper::opPrinting;
    ps->OperStatus = TOperStatus::osActive;
    ps->DestName = "Sales.txt";
    oi->ObjType = TObjType::IsStringGrid;

    TWindowProgress progressWindow;
    TRunProgressScope showProgress{progressWindow};
    ActivateProgressWindow(true, nullptr, "Report:Sales", "&Resume Report", "&Abort Report");
    for (int row = 1; row <= Rows && ps->OperStatus == TOperStatus::osActive; ++row) {
        int current = row;
        int total = Rows;
        oi->RcdsDone = row;
        UpdateProgressBar(current, total, TPoint{1, row / 60 + 1});
        if (row % 10 == 0) Delay(10);
    }
    if (ps->OperStatus == TOperStatus::osActive) {
        ps->OperStatus = TOperStatus::osCompleted;
        ps->PagesOutput = Rows / 60;
    }
    const bool completed = ps->OperStatus == TOperStatus::osCompleted;
    CloseProgressWindow(true, std::to_string(ps->PagesOutput) + " Pages Printed.");
    ObjInfo = nullptr;
    PrintSettings = nullptr;
    return completed ? 1 : 3;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<ScreenshotUser> user;
    if (argc == 3 && std::string(argv[1]) == "--screenshots") {
        UseQtWindows();
        user = std::make_unique<ScreenshotUser>(argv[2]);
    } else if (argc == 1) {
        UseQtWindows();
        std::printf("The report's password is \"secret\". Escape suspends the print.\n");
    } else {
        std::fprintf(stderr, "usage: %s [--screenshots <directory>]\n", argv[0]);
        return 2;
    }
    int status = 0;
    try {
        std::string entered;
        if (!AskPassword("Sales", "Enter Report Password:", "secret", false, entered)) {
            std::printf("password refused\n");
            status = 1;
        } else {
            std::printf("password accepted\n");
            std::printf("print %s\n", PrintSomething(user ? 1500 : 6000) == 1 ? "completed" : "aborted");
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        status = 1;
    }
    if (user && (!user->Done() || user->Failures() > 0)) status = 1;
    user.reset();
    ResetApplication();
    StopQtWindows();
    return status;
}
