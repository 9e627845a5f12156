#include "engine/program_path.h"

#include <utility>

#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"

namespace trx {

namespace {
TProjectFileNameSource& IDEServices() {
    static TProjectFileNameSource services;
    return services;
}
} // namespace

void SetIDEServices(TProjectFileNameSource ProjectFileName) { IDEServices() = std::move(ProjectFileName); }

TIDEServicesOverride::TIDEServicesOverride(TProjectFileNameSource ProjectFileName)
    : previous_(std::exchange(IDEServices(), std::move(ProjectFileName))) {}

TIDEServicesOverride::~TIDEServicesOverride() { IDEServices() = std::move(previous_); }

bool RunningFromIDE() { return static_cast<bool>(IDEServices()); }

std::string GetProgramPath(bool PathOnly, const std::string& Ext) {
    const std::string name = RunningFromIDE() ? IDEServices()() : Application()->ExeName();
    if (PathOnly) return ExtractFilePath(name) + Ext;
    if (!Ext.empty()) return Trim(ChangeFileExt(name, Ext));
    return name;
}

} // namespace trx
