// The "Report Options" dialog made as Print makes it, on a fresh
// application with a fake clock and a scripted user, with a report's
// default settings, for a string grid. The run's objects are the dialog's own when it makes
// them, else made here.
#pragma once

#include <memory>

#include "engine/form_routines_fixture.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/run_scope.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "password_script.h"
#include "support/engine/run_setup.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"
#include "ui/tab_set_control.h"

namespace trx::test {

class OptionsDialogTest : public FormRoutinesTest {
protected:
    OptionsDialogTest() {
        PWInfo.Clear();
        fmTBXMain = NewForm<TfmTBXMain>(Application());
        dlg = fmTBXMain;
        if (!ReportSettings) globals = std::make_unique<TRunScope>();
        SetReportDefaults(RS());
        RS().DialogTitle = "Sales";
        // The report of a string grid, as far as the dialog's rules ask.
        ObjInfo->ObjType = TObjType::IsStringGrid;
        ObjInfo->GridLike = true;
    }
    ~OptionsDialogTest() override {
        FreeAndNil(fmTBXMain);
        globals.reset();
        PWInfo.Clear();
    }

    TtrxReportSettings& RS() { return *ReportSettings; }
    TPrintSettings& PS() { return *PrintSettings; }
    // The first show's fill of the controls and derivation of the options.
    void Fill() {
        dlg->AssignScreenFields();
        dlg->SetOptions(nullptr, true);
        RS().Modified = false;
    }
    // The dialog as the options window shows it. The first show's set-up
    // and decision do not run (the test fills the controls itself);
    // FirstShow keeps its value.
    void ShowWindow() {
        const bool firstShow = dlg->FirstShow;
        dlg->FirstShow = false;
        dlg->SetBounds(0, 0, 640, 480);
        dlg->Show();
        dlg->FirstShow = firstShow;
    }
    std::vector<std::string> Tabs() const {
        std::vector<std::string> t;
        for (int i = 0; i < dlg->TabSet->Tabs().Count(); ++i) t.push_back(dlg->TabSet->Tabs()[i]);
        return t;
    }
    std::string SelectedTab() const {
        const int i = dlg->TabSet->TabIndex();
        return i < 0 ? std::string("(none)") : dlg->TabSet->Tabs()[i];
    }
    // A password prompt the user answers with Entry (empty: Cancel).
    void AnswerPassword(const std::string& Prompt, const std::string& Entry) {
        test::AnswerPassword(*ui, Prompt, Entry);
    }

    TfmTBXMain* dlg = nullptr;
    std::unique_ptr<TRunScope> globals;
};

} // namespace trx::test
