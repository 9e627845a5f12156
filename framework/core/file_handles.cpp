#include "framework/core/file_handles.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

// The share records: one byte each, far beyond any real file data.
constexpr off_t kShareBase = off_t(1) << 62;
constexpr off_t kHasRead = kShareBase + 0;
constexpr off_t kHasWrite = kShareBase + 1;
constexpr off_t kDeniesRead = kShareBase + 2;
constexpr off_t kDeniesWrite = kShareBase + 3;
constexpr off_t kRecordCount = 4;

thread_local int lastFileError = 0;

bool RecordHeld(int Fd, off_t Start, off_t Len = 1) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = Start;
    fl.l_len = Len;
    if (fcntl(Fd, F_OFD_GETLK, &fl) != 0) return false;
    return fl.l_type != F_UNLCK;
}

void TakeRecord(int Fd, off_t Start) {
    struct flock fl {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = Start;
    fl.l_len = 1;
    (void)fcntl(Fd, F_OFD_SETLK, &fl);
}

// The guard serialises the check-and-record step of every open, delete and
// rename of one file; it is held only for the few calls in between. A guard
// that stays taken (another program locking the whole file) reads as a
// sharing violation instead of a wait.
bool LockGuard(int Fd) {
    for (int attempt = 0; attempt < 10000; ++attempt) {
        if (flock(Fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return true; // no flock here: go on unguarded
        sched_yield();
    }
    return false;
}

void UnlockGuard(int Fd) { (void)flock(Fd, LOCK_UN); }

bool SameFile(int Fd, const std::string& FileName) {
    struct stat a {
    }, b{};
    if (fstat(Fd, &a) != 0 || stat(FileName.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsDirectoryPath(const std::string& Dir) {
    struct stat st {};
    return stat(Dir.empty() ? "." : Dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int OpenNoIntr(const char* Name, int Flags, mode_t Mode = 0666) {
    int fd;
    do {
        fd = open(Name, Flags, Mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

int ErrnoToIOResult(int Errno, const std::string& FileName) {
    switch (Errno) {
    case 0: return 0;
    case ENOENT: {
        const auto slash = FileName.find_last_of('/');
        const std::string dir = slash == std::string::npos ? std::string() : FileName.substr(0, slash + 1);
        return IsDirectoryPath(dir) ? ioFileNotFound : ioPathNotFound;
    }
    case ENOTDIR:
    case ELOOP: return ioPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ioAccessDenied;
    case EMFILE:
    case ENFILE: return ioTooManyOpenFiles;
    case EBADF: return ioInvalidHandle;
    case EBUSY:
    case ETXTBSY: return ioSharingViolation;
    case EAGAIN: return ioLockViolation;
    case EINVAL: return ioInvalidParameter;
    case ENOSPC:
    case EDQUOT: return ioDiskFull;
    case ENOTEMPTY: return ioDirNotEmpty;
    case EEXIST: return ioAlreadyExists;
    case ENXIO:
    case ENODEV: return ioNotReady;
    case ENAMETOOLONG: return 206;
    case EXDEV: return 17;
    default: return 31;
    }
}

std::string InOutErrorMessage(int Code) {
    switch (Code) {
    case ioFileNotFound: return "File not found";
    case ioPathNotFound: return "Invalid filename";
    case ioTooManyOpenFiles: return "Too many open files";
    case ioAccessDenied: return "File access denied";
    case ioDiskRead: return "Read beyond end of file";
    case ioDiskWrite: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + IntToStr(Code);
    }
}

void InOutCheck(int Code) {
    if (Code != 0) throw EInOutError(InOutErrorMessage(Code), Code);
}

int FileOpenShared(const std::string& FileName, uint16_t Access, uint16_t Share, TCreateDisposition How, int& Handle) {
    Handle = -1;
    if (FileName.empty()) return ioPathNotFound;
    if (Access > fmOpenReadWrite) return ioInvalidParameter;
    bool shareRead = false, shareWrite = false;
    switch (Share & 0xF0) {
    case fmShareCompat:
    case fmShareExclusive: break;
    case fmShareDenyWrite: shareRead = true; break;
    case fmShareDenyRead: shareWrite = true; break;
    case fmShareDenyNone: shareRead = shareWrite = true; break;
    default: return ioInvalidParameter;
    }
    const bool wantRead = Access != fmOpenWrite;
    const bool wantWrite = Access != fmOpenRead;
    const int create = How == TCreateDisposition::cdOpenExisting ? 0 : O_CREAT;
    // Written through a read and write handle, a FIFO would have us as its
    // reader too: its writes would never learn that the real reader had
    // gone, and a FIFO without a reader would swallow the output.
    struct stat named {};
    const bool fifo = !wantRead && stat(FileName.c_str(), &named) == 0 && S_ISFIFO(named.st_mode);

    // A file replaced between the open and the guard is opened again.
    for (int attempt = 0; attempt < 8; ++attempt) {
        bool readable = true;
        int fd;
        if (fifo) {
            readable = false;
            fd = OpenNoIntr(FileName.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
            // Once open, a full pipe makes the writes wait for the reader.
            if (fd >= 0) (void)fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        } else if (!wantWrite) {
            fd = OpenNoIntr(FileName.c_str(), O_RDONLY | O_CLOEXEC | create);
        } else {
            // Opened readable when permitted, so that the share records can
            // be taken; a write-only handle never reads through it.
            fd = OpenNoIntr(FileName.c_str(), O_RDWR | O_CLOEXEC | create);
            if (fd < 0 && errno == EACCES) {
                readable = false;
                fd = OpenNoIntr(FileName.c_str(), O_WRONLY | O_CLOEXEC | create);
            }
        }
        if (fd < 0) return ErrnoToIOResult(errno, FileName);

        struct stat st {};
        const bool statted = fstat(fd, &st) == 0;
        if (statted && S_ISDIR(st.st_mode)) {
            close(fd);
            return ioAccessDenied;
        }
        // Only a regular file has contents to empty; a device or a pipe
        // takes the output as it comes.
        const bool regular = !statted || S_ISREG(st.st_mode);

        if (!LockGuard(fd)) {
            close(fd);
            return ioSharingViolation;
        }
        if (!SameFile(fd, FileName)) {
            UnlockGuard(fd);
            close(fd);
            continue;
        }
        if (readable) {
            const bool conflict =
                (wantRead && RecordHeld(fd, kDeniesRead)) || (wantWrite && RecordHeld(fd, kDeniesWrite)) ||
                (!shareRead && RecordHeld(fd, kHasRead)) || (!shareWrite && RecordHeld(fd, kHasWrite));
            if (conflict) {
                UnlockGuard(fd);
                close(fd);
                return ioSharingViolation;
            }
            if (wantRead) TakeRecord(fd, kHasRead);
            if (wantWrite) TakeRecord(fd, kHasWrite);
            if (!shareRead) TakeRecord(fd, kDeniesRead);
            if (!shareWrite) TakeRecord(fd, kDeniesWrite);
        }
        if (How == TCreateDisposition::cdCreateAlways && regular && ftruncate(fd, 0) != 0) {
            const int err = errno;
            UnlockGuard(fd);
            close(fd);
            return ErrnoToIOResult(err, FileName);
        }
        UnlockGuard(fd);
        Handle = fd;
        return 0;
    }
    return ioSharingViolation;
}

int FileOpen(const std::string& FileName, uint16_t Mode) {
    int handle = -1;
    lastFileError = FileOpenShared(FileName, Mode & 0x0F, Mode & 0xF0, TCreateDisposition::cdOpenExisting, handle);
    return handle;
}

int FileCreate(const std::string& FileName, uint16_t Share) {
    int handle = -1;
    lastFileError = FileOpenShared(FileName, fmOpenReadWrite, Share & 0xF0, TCreateDisposition::cdCreateAlways, handle);
    return handle;
}

int LastFileError() { return lastFileError; }

void FileClose(int Handle) {
    if (Handle >= 0) close(Handle);
}

int FileRead(int Handle, void* Buffer, int Count) {
    if (Count < 0) return -1;
    ssize_t n;
    do {
        n = read(Handle, Buffer, static_cast<size_t>(Count));
    } while (n < 0 && errno == EINTR);
    return static_cast<int>(n);
}

int FileWrite(int Handle, const void* Buffer, int Count) {
    if (Count < 0) return -1;
    // A pipe whose reader has gone raises SIGPIPE, which ends the program
    // unless it is handled: the signal is held back on this thread while
    // writing, and one that the write caused is taken away again, so that
    // the write just fails.
    sigset_t pipeSignal, previous, pendingBefore;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigpending(&pendingBefore);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const char* p = static_cast<const char*>(Buffer);
    int done = 0;
    bool broken = false;
    while (done < Count) {
        const ssize_t n = write(Handle, p + done, static_cast<size_t>(Count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            broken = errno == EPIPE;
            if (done == 0) done = -1;
            break;
        }
        if (n == 0) break;
        done += static_cast<int>(n);
    }
    if (broken && !sigismember(&pendingBefore, SIGPIPE)) {
        const int err = errno;
        const timespec now{};
        while (sigtimedwait(&pipeSignal, nullptr, &now) < 0 && errno == EINTR) {}
        errno = err;
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return done;
}

int64_t FileSeek(int Handle, int64_t Offset, int Origin) {
    const int whence = Origin == 0 ? SEEK_SET : Origin == 1 ? SEEK_CUR : Origin == 2 ? SEEK_END : -1;
    if (whence < 0) return -1;
    return lseek(Handle, static_cast<off_t>(Offset), whence);
}

namespace detail {

int32_t UnixTimeToFileDate(int64_t T) {
    const time_t t = static_cast<time_t>(T);
    struct tm tm {};
    if (!localtime_r(&t, &tm)) return -1;
    int year = tm.tm_year + 1900;
    if (year < 1980) return static_cast<int32_t>(((1u << 5) | 1u) << 16); // 1 January 1980, 00:00
    if (year > 2107) year = 2107;
    const uint32_t date = (static_cast<uint32_t>(year - 1980) << 9) | (static_cast<uint32_t>(tm.tm_mon + 1) << 5) |
                          static_cast<uint32_t>(tm.tm_mday);
    const uint32_t time = (static_cast<uint32_t>(tm.tm_hour) << 11) | (static_cast<uint32_t>(tm.tm_min) << 5) |
                          static_cast<uint32_t>(tm.tm_sec / 2);
    return static_cast<int32_t>((date << 16) | time);
}

bool FileDateToUnixTime(int32_t Age, int64_t& T) {
    const uint32_t v = static_cast<uint32_t>(Age);
    const int day = static_cast<int>((v >> 16) & 0x1F), month = static_cast<int>((v >> 21) & 0x0F);
    const int year = static_cast<int>((v >> 25) & 0x7F) + 1980;
    const int sec = static_cast<int>(v & 0x1F) * 2, min = static_cast<int>((v >> 5) & 0x3F);
    const int hour = static_cast<int>((v >> 11) & 0x1F);
    if (day < 1 || day > 31 || month < 1 || month > 12 || hour > 23 || min > 59 || sec > 59) return false;
    struct tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = min;
    tm.tm_sec = sec;
    tm.tm_isdst = -1;
    const time_t t = mktime(&tm);
    T = static_cast<int64_t>(t);
    return t != static_cast<time_t>(-1);
}

int WithFileNotInUse(const std::string& FileName, int (*Action)(const std::string&, const std::string&),
                     const std::string& Other) {
    const int fd = OpenNoIntr(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Action(FileName, Other);
    int result;
    if (!LockGuard(fd) || RecordHeld(fd, kShareBase, kRecordCount))
        result = EBUSY;
    else
        result = Action(FileName, Other);
    UnlockGuard(fd);
    close(fd);
    return result;
}

} // namespace detail

int32_t FileGetDate(int Handle) {
    struct stat st {};
    if (fstat(Handle, &st) != 0) return -1;
    return detail::UnixTimeToFileDate(st.st_mtime);
}

int FileSetDate(int Handle, int32_t Age) {
    int64_t t = 0;
    if (!detail::FileDateToUnixTime(Age, t)) return ioInvalidParameter;
    struct timespec times[2]{};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(t);
    if (futimens(Handle, times) != 0) return ErrnoToIOResult(errno, std::string());
    return 0;
}

bool FileIsInUse(const std::string& FileName) {
    const int fd = OpenNoIntr(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    const bool held = RecordHeld(fd, kShareBase, kRecordCount);
    close(fd);
    return held;
}

} // namespace trx
