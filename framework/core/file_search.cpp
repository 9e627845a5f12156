#include "framework/core/file_search.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

#include "framework/core/file_handles.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

constexpr int ioNoMoreFiles = 18;

struct TFoundEntry {
    std::string Name;
    int64_t Size;
    int Attr;
    int32_t Time;
};

struct TFindState {
    std::vector<TFoundEntry> Entries;
    std::size_t Next = 0;
};

char Fold(char c) { return UpCase(c); }

// True when the name has no dot at or after position n.
bool NoDotFrom(const std::string& s, std::size_t n) { return s.find('.', n) == std::string::npos; }

bool Match(const std::string& mask, std::size_t m, const std::string& name, std::size_t n) {
    while (m < mask.size()) {
        const char c = mask[m];
        if (c == '*') {
            // Collapse runs of stars; then try every split.
            while (m < mask.size() && mask[m] == '*') ++m;
            if (m == mask.size()) return true;
            // Before a dot the star stops short of the name's last dot.
            std::size_t limit = name.size();
            const auto lastDot = name.find_last_of('.');
            if (mask[m] == '.' && lastDot != std::string::npos && lastDot >= n) limit = lastDot;
            for (std::size_t k = n; k <= limit; ++k)
                if (Match(mask, m, name, k)) return true;
            return false;
        }
        if (c == '?') {
            // One character, or none where the name ends or reaches its last dot.
            if (n < name.size() && Match(mask, m + 1, name, n + 1)) return true;
            const bool atEnd = n == name.size() || (name[n] == '.' && NoDotFrom(name, n + 1));
            return atEnd && Match(mask, m + 1, name, n);
        }
        if (c == '.') {
            const bool dosDot = m + 1 == mask.size() || mask[m + 1] == '*' || mask[m + 1] == '?';
            if (n < name.size() && name[n] == '.' && Match(mask, m + 1, name, n + 1)) return true;
            return dosDot && n == name.size() && Match(mask, m + 1, name, n);
        }
        if (n >= name.size() || Fold(name[n]) != Fold(c)) return false;
        ++m;
        ++n;
    }
    return n == name.size();
}

bool ReadEntry(const std::string& Dir, const std::string& Name, TFoundEntry& E) {
    const std::string full = Dir + Name;
    struct stat lst {
    }, st{};
    if (lstat(full.c_str(), &lst) != 0) return false;
    const bool link = S_ISLNK(lst.st_mode);
    if (!link || stat(full.c_str(), &st) != 0) st = lst; // a dangling link describes itself
    E.Name = Name;
    E.Attr = 0;
    if (link) E.Attr |= faSymLink;
    if (S_ISDIR(st.st_mode))
        E.Attr |= faDirectory;
    else if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        E.Attr |= faSysFile;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) E.Attr |= faReadOnly;
    if (Name.size() > 1 && Name[0] == '.' && Name != "..") E.Attr |= faHidden;
    E.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
    E.Time = detail::UnixTimeToFileDate(static_cast<int64_t>(st.st_mtime));
    return true;
}

bool EntryBefore(const TFoundEntry& a, const TFoundEntry& b) {
    const bool aDots = a.Name == "." || a.Name == "..", bDots = b.Name == "." || b.Name == "..";
    if (aDots != bDots) return aDots;
    const int c = CompareText(a.Name, b.Name);
    return c != 0 ? c < 0 : a.Name < b.Name;
}

void Take(TSearchRec& F, const TFoundEntry& E) {
    F.Name = E.Name;
    F.Size = E.Size;
    F.Attr = E.Attr;
    F.Time = E.Time;
}

} // namespace

bool FileNameMatches(const std::string& Name, const std::string& Mask) { return Match(Mask, 0, Name, 0); }

int FindFirst(const std::string& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    const auto slash = Path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
    const std::string mask = slash == std::string::npos ? Path : Path.substr(slash + 1);

    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) {
        const int err = errno;
        return err == ENOENT || err == ENOTDIR ? ioPathNotFound : ErrnoToIOResult(err, Path);
    }
    auto state = std::make_shared<TFindState>();
    if (!mask.empty()) {
        while (const dirent* ent = readdir(d)) {
            const std::string name = ent->d_name;
            if (!FileNameMatches(name, mask)) continue;
            TFoundEntry e;
            if (!ReadEntry(dir, name, e)) continue;
            if ((e.Attr & F.ExcludeAttr) != 0) continue;
            state->Entries.push_back(std::move(e));
        }
    }
    closedir(d);
    if (state->Entries.empty()) return ioFileNotFound;
    std::sort(state->Entries.begin(), state->Entries.end(), EntryBefore);
    Take(F, state->Entries[0]);
    state->Next = 1;
    F.FindHandle = std::move(state);
    return 0;
}

int FindNext(TSearchRec& F) {
    auto* state = static_cast<TFindState*>(F.FindHandle.get());
    if (!state) return ioInvalidHandle;
    if (state->Next >= state->Entries.size()) return ioNoMoreFiles;
    Take(F, state->Entries[state->Next++]);
    return 0;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }

} // namespace trx
