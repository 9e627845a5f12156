// The scripted user's answer to the next password prompt.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/forms/standard_controls.h"
#include "support/forms/scripted_ui.h"
#include "ui/password_prompt.h"

namespace trx::test {

// The next password prompt asks Prompt and is answered with Entry (empty:
// Cancel).
inline void AnswerPassword(TScriptedUi& Ui, const std::string& Prompt, const std::string& Entry) {
    Ui.OnModal("fmPassword", [Prompt, Entry](TCustomForm& f) {
        auto& fm = static_cast<TfmPassword&>(f);
        EXPECT_EQ(fm.lbPWPrompt->Caption(), Prompt);
        if (Entry.empty()) {
            fm.edCancel->Click();
            return;
        }
        fm.edPassword->SetText(Entry);
        fm.edOk->Click();
    });
}

} // namespace trx::test
