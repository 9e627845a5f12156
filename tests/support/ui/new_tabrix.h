// The report component placed on an application form as the form's
// streaming places it: named, its settings in a data directory of the
// test's, its identifier set while loading (no settings-file operation).
#pragma once

#include <string>

#include "framework/forms/form.h"
#include "ui/tabrix.h"

namespace trx::test {

inline TTrxTabrix* NewTabrix(TCustomForm* Form, const std::string& Name, const std::string& DataDir,
                             const std::string& Id) {
    auto* t = new TTrxTabrix(Form);
    t->SetName(Name);
    t->FileMgr->DataDir = DataDir;
    t->BeginLoading();
    t->SetReportId(Id);
    t->Loaded();
    return t;
}

} // namespace trx::test
