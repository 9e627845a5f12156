#include "framework/core/file_utils.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/exceptions.h"

namespace trx {

namespace {

thread_local int lastFileOpError = 0;

bool Fail(int Errno, const std::string& FileName) {
    lastFileOpError = ErrnoToIOResult(Errno, FileName);
    return false;
}

bool Succeed() {
    lastFileOpError = 0;
    return true;
}

int RenameNoReplace(const std::string& OldName, const std::string& NewName) {
    if (renameat2(AT_FDCWD, OldName.c_str(), AT_FDCWD, NewName.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without the exclusive rename.
    struct stat st {};
    if (lstat(NewName.c_str(), &st) == 0) return EEXIST;
    return rename(OldName.c_str(), NewName.c_str()) == 0 ? 0 : errno;
}

int UnlinkFile(const std::string& FileName, const std::string&) { return unlink(FileName.c_str()) == 0 ? 0 : errno; }

std::mutex exeNameMutex;
std::string exeNameOverride;

} // namespace

// -- Names ------------------------------------------------------------------

std::string ExtractFilePath(const std::string& FileName) {
    const auto i = FileName.find_last_of(PathDelim);
    return i == std::string::npos ? std::string() : FileName.substr(0, i + 1);
}

std::string ExtractFileDir(const std::string& FileName) {
    auto i = FileName.find_last_of(PathDelim);
    if (i == std::string::npos) return std::string();
    // Keeps the delimiter of the root and of a doubled delimiter.
    if (i > 0 && FileName[i - 1] != PathDelim) return FileName.substr(0, i);
    return FileName.substr(0, i + 1);
}

std::string ExtractFileName(const std::string& FileName) {
    const auto i = FileName.find_last_of(PathDelim);
    return i == std::string::npos ? FileName : FileName.substr(i + 1);
}

std::string ExtractFileExt(const std::string& FileName) {
    const auto i = FileName.find_last_of(std::string(".") + PathDelim);
    if (i == std::string::npos || FileName[i] != '.') return std::string();
    return FileName.substr(i);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
    const auto i = FileName.find_last_of(std::string(".") + PathDelim);
    if (i == std::string::npos || FileName[i] != '.') return FileName + Extension;
    return FileName.substr(0, i) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& S) {
    if (!S.empty() && S.back() == PathDelim) return S;
    return S + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& S) {
    if (!S.empty() && S.back() == PathDelim) return S.substr(0, S.size() - 1);
    return S;
}

std::string ExpandFileName(const std::string& FileName) {
    if (FileName.empty()) return std::string();
    const std::string full = FileName.front() == PathDelim ? FileName : GetCurrentDir() + PathDelim + FileName;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= full.size()) {
        auto end = full.find(PathDelim, start);
        if (end == std::string::npos) end = full.size();
        const std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result;
    for (const auto& p : parts) result += PathDelim + p;
    if (result.empty()) return std::string(1, PathDelim);
    if (FileName.back() == PathDelim) result += PathDelim;
    return result;
}

std::string GetCurrentDir() {
    std::vector<char> buf(4096);
    while (!getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return std::string();
        buf.resize(buf.size() * 2);
    }
    return std::string(buf.data());
}

bool SetCurrentDir(const std::string& Dir) {
    if (chdir(Dir.c_str()) != 0) return Fail(errno, Dir);
    return Succeed();
}

// -- Files and directories --------------------------------------------------

bool FileExists(const std::string& FileName) {
    struct stat st {};
    return !FileName.empty() && stat(FileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsSameFile(const std::string& FileName1, const std::string& FileName2) {
    struct stat a {
    }, b{};
    if (FileName1.empty() || FileName2.empty() || stat(FileName1.c_str(), &a) != 0 || stat(FileName2.c_str(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool DirectoryExists(const std::string& Directory) {
    struct stat st {};
    return !Directory.empty() && stat(Directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& Dir) {
    if (Dir.empty()) return Fail(ENOENT, Dir);
    if (mkdir(Dir.c_str(), 0777) != 0) return Fail(errno, Dir);
    return Succeed();
}

bool ForceDirectories(const std::string& Dir) {
    if (Dir.empty()) throw EInOutError("Unable to create directory", ioPathNotFound);
    const std::string full = ExcludeTrailingPathDelimiter(ExpandFileName(Dir));
    if (DirectoryExists(full)) return true;
    for (std::size_t i = 1; i <= full.size(); ++i) {
        if (i < full.size() && full[i] != PathDelim) continue;
        const std::string prefix = full.substr(0, i);
        if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return Fail(errno, prefix);
    }
    if (!DirectoryExists(full)) return Fail(ENOTDIR, full);
    return Succeed();
}

bool RemoveDir(const std::string& Dir) {
    if (rmdir(Dir.c_str()) != 0) return Fail(errno, Dir);
    return Succeed();
}

bool DeleteFile(const std::string& FileName) {
    if (FileName.empty()) return Fail(ENOENT, FileName);
    const int err = detail::WithFileNotInUse(FileName, UnlinkFile, std::string());
    if (err != 0) return Fail(err, FileName);
    return Succeed();
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
    if (OldName.empty() || NewName.empty()) return Fail(ENOENT, OldName);
    const int err = detail::WithFileNotInUse(OldName, RenameNoReplace, NewName);
    if (err != 0) return Fail(err, err == EEXIST ? NewName : OldName);
    return Succeed();
}

namespace {

bool InGroup(gid_t Gid) {
    if (Gid == getegid()) return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    const int got = getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == Gid) return true;
    return false;
}

} // namespace

bool FileIsReadOnly(const std::string& FileName) {
    struct stat st {};
    if (FileName.empty() || stat(FileName.c_str(), &st) != 0) return false;
    const mode_t writeBit = st.st_uid == geteuid() ? S_IWUSR : InGroup(st.st_gid) ? S_IWGRP : S_IWOTH;
    return (st.st_mode & writeBit) == 0;
}

bool DirectoryIsReadOnly(const std::string& Dir) {
    struct stat st {};
    if (Dir.empty() || stat(Dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (FileIsReadOnly(Dir)) return true;
    // A read-only mount or an access control list, as the kernel sees them
    // for the effective user.
    return faccessat(AT_FDCWD, Dir.c_str(), W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EROFS);
}

int FileCopyPermissions(int Handle, const std::string& FileName) {
    struct stat st {};
    if (stat(FileName.c_str(), &st) != 0) return ErrnoToIOResult(errno, FileName);
    // Owner and group first: changing them may clear the set-id bits.
    if (fchown(Handle, st.st_uid, st.st_gid) != 0) (void)fchown(Handle, static_cast<uid_t>(-1), st.st_gid);
    if (fchmod(Handle, st.st_mode & 07777) != 0) return ErrnoToIOResult(errno, FileName);
    return 0;
}

int FileCopyTimes(int Handle, const std::string& FileName) {
    struct stat st {};
    if (stat(FileName.c_str(), &st) != 0) return ErrnoToIOResult(errno, FileName);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (futimens(Handle, times) != 0) return ErrnoToIOResult(errno, FileName);
    return 0;
}

int LastFileOpError() { return lastFileOpError; }

// -- File dates -------------------------------------------------------------

int32_t FileAge(const std::string& FileName) {
    struct stat st {};
    if (FileName.empty() || stat(FileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
    return detail::UnixTimeToFileDate(st.st_mtime);
}

bool FileAge(const std::string& FileName, TDateTime& FileDateTime) {
    const int32_t age = FileAge(FileName);
    if (age == -1) return false;
    FileDateTime = FileDateToDateTime(age);
    return true;
}

int FileSetDate(const std::string& FileName, int32_t Age) {
    int64_t t = 0;
    if (!detail::FileDateToUnixTime(Age, t)) return ioInvalidParameter;
    struct timespec times[2]{};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(t);
    if (utimensat(AT_FDCWD, FileName.c_str(), times, 0) != 0) return ErrnoToIOResult(errno, FileName);
    return 0;
}

TDateTime FileDateToDateTime(int32_t FileDate) {
    const uint32_t v = static_cast<uint32_t>(FileDate);
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(static_cast<int>((v >> 25) & 0x7F) + 1980, static_cast<int>((v >> 21) & 0x0F),
                       static_cast<int>((v >> 16) & 0x1F), date) ||
        !TryEncodeTime(static_cast<int>((v >> 11) & 0x1F), static_cast<int>((v >> 5) & 0x3F),
                       static_cast<int>(v & 0x1F) * 2, 0, time))
        return 0;
    return date + time;
}

int32_t DateTimeToFileDate(TDateTime DateTime) {
    int year, month, day, hour, min, sec, msec;
    DecodeDate(DateTime, year, month, day);
    DecodeTime(DateTime, hour, min, sec, msec);
    if (year < 1980 || year > 2107) return 0;
    const uint32_t date =
        (static_cast<uint32_t>(year - 1980) << 9) | (static_cast<uint32_t>(month) << 5) | static_cast<uint32_t>(day);
    const uint32_t time =
        (static_cast<uint32_t>(hour) << 11) | (static_cast<uint32_t>(min) << 5) | static_cast<uint32_t>(sec / 2);
    return static_cast<int32_t>((date << 16) | time);
}

// -- The running program ----------------------------------------------------

std::string ExeFileName() {
    {
        std::lock_guard<std::mutex> lock(exeNameMutex);
        if (!exeNameOverride.empty()) return exeNameOverride;
    }
    std::vector<char> buf(4096);
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return std::string();
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

void SetExeFileName(const std::string& FileName) {
    std::lock_guard<std::mutex> lock(exeNameMutex);
    exeNameOverride = FileName;
}

} // namespace trx
