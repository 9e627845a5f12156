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
#include <utility>
#include <vector>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "example_support.h"
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


// A built-in user who answers the windows and photographs them.
std::unique_ptr<example::TBuiltInUser> ScreenshotUser(const std::filesystem::path& Dir) {
    auto user = std::make_unique<example::TBuiltInUser>(Dir);
    example::TBuiltInUser& u = *user;
    u.Step(
         "the password prompt", [] { return fmPassword && fmPassword->Visible(); },
         [] { UserType(fmPassword->edPassword, "secret"); })
        .Step(
            "the password typed", [] { return fmPassword && fmPassword->edPassword->Text() == "secret"; },
            [&u] {
                u.Photograph(fmPassword, "password-prompt.png");
                UserClick(fmPassword->edOk);
            })
        .Step(
            "the progress window under way",
            [] { return fmProgress && fmProgress->Width() > 0 && fmProgress->paProgressBar->Width() > 90; },
            [&u] { u.Photograph(fmProgress, "progress-window.png"); })
        .Step(
            "the progress window's result", [] { return fmProgress && fmProgress->bbOk->Visible(); },
            [&u] {
                u.Photograph(fmProgress, "progress-result.png");
                UserClick(fmProgress->bbOk);
            });
    return user;
}

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
    std::unique_ptr<example::TBuiltInUser> user;
    if (argc == 3 && std::string(argv[1]) == "--screenshots") {
        UseQtWindows();
        user = ScreenshotUser(argv[2]);
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
    return example::FinishWindows(std::move(user), status);
}
