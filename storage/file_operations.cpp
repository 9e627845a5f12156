#include "storage/file_operations.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include <sys/stat.h>

#include "engine/trx_errors.h"
#include "framework/core/file_handles.h"
#include "framework/core/file_search.h"
#include "framework/core/file_utils.h"
#include "framework/core/format.h"

namespace trx {

namespace {

constexpr int CopyBlockSize = 4096;
// Files, hidden files, system entries, directories and links.
constexpr int AnyEntry = faHidden | faSysFile | faDirectory | faArchive | faSymLink;

// One name for one file, whatever path or link leads to it.
bool SameFile(const std::string& A, const std::string& B) {
    std::error_code ec;
    return std::filesystem::equivalent(A, B, ec) && !ec;
}

// Dir is Root itself or lies somewhere inside it, following links on both
// sides, so a move cannot copy a directory into itself and then delete the
// copies along with the source.
bool IsSameOrInside(const std::string& Dir, const std::string& Root) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path root = fs::canonical(Root.empty() ? "." : ExcludeTrailingPathDelimiter(Root), ec);
    if (ec) return false;
    const fs::path dir = fs::weakly_canonical(ExcludeTrailingPathDelimiter(ExpandFileName(Dir)), ec);
    if (ec) return false;
    return std::mismatch(root.begin(), root.end(), dir.begin(), dir.end()).first == root.end();
}

// The entries of a search, "." and ".." left out.
std::vector<TSearchRec> ListEntries(const std::string& Mask) {
    std::vector<TSearchRec> entries;
    TSearchRec f;
    for (int rc = FindFirst(Mask, AnyEntry, f); rc == 0; rc = FindNext(f))
        if (f.Name != "." && f.Name != "..") entries.push_back(f);
    FindClose(f);
    return entries;
}

// Closes a handle when it goes out of scope.
struct THandleGuard {
    int Handle;
    ~THandleGuard() {
        if (Handle >= 0) FileClose(Handle);
    }
};

// Copies every byte of In to Out and gives Out In's permissions and times;
// false at the first read, write or attribute failure.
bool CopyContents(int In, int Out, const std::string& Source) {
    char buffer[CopyBlockSize];
    for (;;) {
        const int got = FileRead(In, buffer, CopyBlockSize);
        if (got < 0) return false;
        if (got == 0) break;
        if (FileWrite(Out, buffer, got) != got) return false;
    }
    // The times last: nothing may write to the file after them.
    return FileCopyPermissions(Out, Source) == 0 && FileCopyTimes(Out, Source) == 0;
}

} // namespace

bool TFileMgr::FileCopy(const std::string& Source, const std::string& Dest) {
    const std::string dest = ExpandFileName(Dest);
    // Creating the destination would empty the source first.
    if (SameFile(Source, dest)) return false;

    THandleGuard in{FileOpen(Source, fmOpenRead | fmShareDenyWrite)};
    if (in.Handle < 0) throw EFOpenError(Format("Tabrix! Printing Error: Cannot open file %s", {Source}));

    // A read-only file is not replaced, by the superuser either.
    const int out = FileIsReadOnly(dest) ? -1 : FileCreate(dest);
    if (out < 0) throw EFCreateError(Format("Tabrix! Printing Error: Cannot create file %s", {dest}));
    const bool copied = CopyContents(in.Handle, out, Source);
    FileClose(out);
    // A partial copy is of no use to anybody, and looks like a good one.
    if (!copied) DeleteFile(dest);
    return copied;
}

bool TFileMgr::CopyFiles(const std::string& Mask, const std::string& DestDir, bool Recurse) {
    if (Mask.empty() || DestDir.empty()) return false;
    return CopyDirectory(Mask, DestDir, Recurse, DestDir);
}

bool TFileMgr::CopyDirectory(const std::string& Mask, const std::string& DestDir, bool Recurse,
                             const std::string& DestRoot) {
    const std::string source = ExtractFilePath(Mask);
    const std::string dest = IncludeTrailingPathDelimiter(DestDir);
    if (!DirectoryExists(dest)) {
        // The levels that are missing, the deepest first.
        std::vector<std::string> missing;
        for (std::string level = ExcludeTrailingPathDelimiter(dest); !level.empty() && !DirectoryExists(level);) {
            missing.push_back(level);
            const std::string parent = ExtractFileDir(level);
            if (parent == level) break;
            level = parent;
        }
        try {
            ForceDirectories(dest);
        } catch (const EInOutError&) {}
        if (made_)
            for (auto level = missing.rbegin(); level != missing.rend(); ++level)
                if (DirectoryExists(*level)) made_->push_back(*level);
        if (!DirectoryExists(dest))
            throw EFCreateError(std::string(PrintingErrorPrefix) +
                                "Unable to create destination subdirectory: " + dest);
    }

    for (const TSearchRec& entry : ListEntries(Mask)) {
        const std::string from = source + entry.Name;
        const std::string to = dest + entry.Name;
        if ((entry.Attr & faDirectory) == 0) {
            // Pipes, sockets and devices have no contents to copy (and
            // opening a pipe would wait for a writer).
            if ((entry.Attr & faSysFile) != 0 || !FileCopy(from, to)) {
                ++ErrorCount;
                return false;
            }
            if (made_) made_->push_back(to);
            ++Count;
            continue;
        }
        // A destination inside the source is not copied into itself.
        if (!Recurse || SameFile(from, DestRoot)) continue;
        if (!DirectoryExists(to)) {
            if (!CreateDir(to))
                throw EFCreateError(std::string(PrintingErrorPrefix) + Format("Cannot create file %s", {from}));
            if (made_) made_->push_back(to);
        }
        if (!CopyDirectory(IncludeTrailingPathDelimiter(from) + "*.*", to, Recurse, DestRoot)) return false;
    }
    return true;
}

bool TFileMgr::DeleteFiles(const std::string& Mask, bool Recurse) {
    if (Mask.empty()) return false;
    const std::string source = ExtractFilePath(Mask);
    bool result = true;
    for (const TSearchRec& entry : ListEntries(Mask)) {
        const std::string name = source + entry.Name;
        bool deleted;
        if ((entry.Attr & faDirectory) == 0) {
            deleted = DeleteFile(name);
            if (deleted) ++Count;
        } else if (!Recurse) {
            continue;
        } else if ((entry.Attr & faSymLink) != 0) {
            // Only the link goes; what it leads to is not ours to delete.
            std::error_code ec;
            deleted = std::filesystem::remove(name, ec) && !ec;
        } else {
            if (!DeleteFiles(IncludeTrailingPathDelimiter(name) + "*.*", Recurse)) result = false;
            deleted = RemoveDir(name);
        }
        if (!deleted) {
            ++ErrorCount;
            result = false;
        }
    }
    return result;
}

std::string TFileMgr::FindExisting(const std::string& Mask, const std::string& DestDir, bool Recurse,
                                   const std::string& DestRoot) const {
    const std::string source = ExtractFilePath(Mask);
    const std::string dest = IncludeTrailingPathDelimiter(DestDir);
    for (const TSearchRec& entry : ListEntries(Mask)) {
        const std::string from = source + entry.Name;
        const std::string to = dest + entry.Name;
        const bool isDir = (entry.Attr & faDirectory) != 0;
        if (isDir && (!Recurse || SameFile(from, DestRoot))) continue; // not copied
        struct stat st {};
        if (lstat(to.c_str(), &st) != 0) continue; // nothing there (a link that leads nowhere is something)
        // A directory may receive a directory's entries; anything else would be replaced.
        if (!isDir || !S_ISDIR(st.st_mode)) return to;
        if (std::string inner = FindExisting(IncludeTrailingPathDelimiter(from) + "*.*", to, Recurse, DestRoot);
            !inner.empty())
            return inner;
    }
    return {};
}

void TFileMgr::TakeBack() {
    for (auto entry = made_->rbegin(); entry != made_->rend(); ++entry)
        if (!DeleteFile(*entry)) RemoveDir(*entry);
}

bool TFileMgr::MoveFiles(const std::string& Mask, const std::string& DestDir, bool Recurse, bool DeleteSource) {
    Count = 0;
    Existing.clear();
    if (DeleteSource && !DestDir.empty() && IsSameOrInside(DestDir, ExtractFilePath(Mask))) return false;
    if (Mask.empty() || DestDir.empty()) return false;
    Existing = FindExisting(Mask, DestDir, Recurse, DestDir);
    if (!Existing.empty()) return false;

    const int errorsBefore = ErrorCount;
    std::vector<std::string> made;
    made_ = &made;
    struct TEndTracking {
        std::vector<std::string>*& Made;
        ~TEndTracking() { Made = nullptr; }
    } endTracking{made_};
    bool copied;
    try {
        copied = CopyFiles(Mask, DestDir, Recurse) && Count > 0 && ErrorCount == errorsBefore;
    } catch (...) {
        TakeBack();
        throw;
    }
    if (!copied) {
        TakeBack();
        return false;
    }
    return !DeleteSource || (DeleteFiles(Mask, Recurse) && Count > 0);
}

} // namespace trx
