#include "engine/protected_files.h"

#include <map>
#include <utility>

#include "framework/core/file_utils.h"

namespace trx {

namespace {
std::map<const void*, std::vector<std::string>>& Registered() {
    static std::map<const void*, std::vector<std::string>> files;
    return files;
}
} // namespace

void SetProtectedFiles(const void* Owner, std::vector<std::string> Files) {
    if (Files.empty())
        Registered().erase(Owner);
    else
        Registered()[Owner] = std::move(Files);
}

bool IsProtectedFile(const std::string& FileName) {
    for (const auto& [owner, files] : Registered())
        for (const std::string& f : files)
            if (IsSameFile(FileName, f)) return true;
    return false;
}

} // namespace trx
