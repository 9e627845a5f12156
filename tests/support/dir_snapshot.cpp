#include "support/dir_snapshot.h"

#include <filesystem>

#include <sys/stat.h>

#include "support/temp_dir.h"

namespace trx::test {

TDirSnapshot Snapshot(const std::string& Root) {
    namespace fs = std::filesystem;
    TDirSnapshot tree;
    std::error_code ec;
    if (!fs::is_directory(Root, ec)) return tree;
    for (const auto& e : fs::recursive_directory_iterator(Root)) {
        const std::string rel = fs::relative(e.path(), Root).string();
        if (e.is_directory()) {
            tree[rel + "/"] = {};
            continue;
        }
        struct stat st {};
        stat(e.path().c_str(), &st);
        tree[rel] = {ReadAll(e.path().string()), st.st_mode & 07777,
                     int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec};
    }
    return tree;
}

} // namespace trx::test
