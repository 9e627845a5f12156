// What the example programs share: a report's settings stored beforehand,
// the words for a print's result, and a built-in user who works the
// windows step by step and photographs them.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/report_settings.h"
#include "engine/rpt_styles.h"
#include "engine/run_scope.h"
#include "framework/forms/application.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/qt/qt_windows.h"
#include "storage/file_mgr.h"

namespace trx::example {

// Stores a report's section in the settings file of DataDir: the defaults
// of a new report changed by Change. A section left by an earlier run goes
// first, so every store starts from the defaults. False when the settings
// file's lock was not obtained.
inline bool StoreSettings(const std::string& DataDir, const TtrxReportId& ReportId,
                          const std::function<void(TtrxReportSettings&, TRptStyles&)>& Change) {
    TRunScope run;
    TtrxFileMgr files;
    files.DataDir = DataDir;
    files.ReportSettings = &run.RS();
    TtrxUserName user("");
    TtrxReportId id = ReportId;
    if (!files.DeleteReportSettings(user, id) || !files.LoadReportSettings(user, id)) return false;
    Change(run.RS(), run.Styles());
    return files.SaveReportSettings(user, id, true);
}

// The result of TTrxTabrix::Print in words.
inline const char* Outcome(int Result) {
    switch (Result) {
    case 0: return "not printed";
    case 1: return "completed";
    case 2: return "cancelled";
    default: return "aborted";
    }
}

// A user who answers the windows: one step a tick of a timer, which the
// model's loop runs while the windows wait (also inside a modal run that a
// step started). Each step waits for its condition at most a bounded time;
// then the user gives up, says so and ends the program's loops.
class TBuiltInUser {
public:
    explicit TBuiltInUser(std::filesystem::path PictureDir = {}) : dir_(std::move(PictureDir)), timer_(nullptr) {
        if (!dir_.empty()) std::filesystem::create_directories(dir_);
        timer_.SetInterval(TickMs);
        timer_.OnTimer = [this](TObject*) { Tick(); };
    }
    TBuiltInUser(const TBuiltInUser&) = delete;
    TBuiltInUser& operator=(const TBuiltInUser&) = delete;

    // Once Ready holds, What is done by Act.
    TBuiltInUser& Step(std::string What, std::function<bool()> Ready, std::function<void()> Act) {
        steps_.push_back(TStep{std::move(What), std::move(Ready), std::move(Act)});
        return *this;
    }
    // Once Form gives a form whose window is on the screen, its picture is
    // taken as Name (see Photograph), and Then is done.
    TBuiltInUser& Picture(std::string What, std::function<TCustomForm*()> Form, const std::string& Name,
                          std::function<void()> Then) {
        return Step(
            std::move(What),
            [this, Form, Name] {
                TCustomForm* form = Form();
                return form && SaveWindowPicture(form, (dir_ / Name).string());
            },
            [this, Name, Then = std::move(Then)] {
                std::printf("picture: %s\n", (dir_ / Name).string().c_str());
                Then();
            });
    }
    bool Done() const { return next_ == steps_.size(); }
    int Failures() const { return failures_; }

    // A picture of the form's window as the screen shows it, into the
    // picture directory.
    void Photograph(const TCustomForm* Form, const std::string& Name) {
        const std::string file = (dir_ / Name).string();
        if (SaveWindowPicture(Form, file)) {
            std::printf("picture: %s\n", file.c_str());
        } else {
            std::fprintf(stderr, "no picture %s\n", Name.c_str());
            ++failures_;
        }
    }

private:
    static constexpr int TickMs = 100;
    static constexpr int PatienceTicks = 600; // a minute for each step

    struct TStep {
        std::string What;
        std::function<bool()> Ready;
        std::function<void()> Act;
    };
    void Tick() {
        if (Done()) return;
        if (!steps_[next_].Ready()) {
            if (++waited_ <= PatienceTicks) return;
            std::fprintf(stderr, "the built-in user gave up waiting for: %s\n", steps_[next_].What.c_str());
            for (int i = 0; i < Screen()->FormCount(); ++i) {
                const TCustomForm* form = Screen()->Forms(i);
                if (!form->Visible()) continue;
                std::fprintf(stderr, "  shown: %s \"%s\"\n", form->Name().c_str(), form->Caption().c_str());
                if (const auto* text = dynamic_cast<const TControl*>(form->FindComponent("Message")))
                    std::fprintf(stderr, "    %s\n", text->Caption().c_str());
            }
            ++failures_;
            next_ = steps_.size();
            Application()->Terminate();
            return;
        }
        waited_ = 0;
        // The step counts as taken before it acts: an act that opens a
        // modal window lets the next steps run inside it.
        steps_[next_++].Act();
    }

    std::filesystem::path dir_;
    TTimer timer_;
    std::vector<TStep> steps_;
    std::size_t next_ = 0;
    int waited_ = 0;
    int failures_ = 0;
};

// The end of a program with windows: its status, made a failure when its
// built-in user (if any) did not get through; the user, the forms and the
// windows go.
inline int FinishWindows(std::unique_ptr<TBuiltInUser> User, int Status) {
    if (User && (!User->Done() || User->Failures() > 0)) Status = 1;
    User.reset();
    ResetApplication();
    StopQtWindows();
    return Status;
}

} // namespace trx::example
