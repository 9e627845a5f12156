// The lock file "TBXLOCK.$$$" beside the settings file. The lock is held by
// keeping the lock file open in a share mode: loads open it sharing it with
// other loads, changes open it exclusively. Each attempt writes this
// manager's record into record 0 and reads it back; the lock is ours when
// the open succeeded and the record read back is our own.
//
// The lock file is never unlinked to be re-created: another program may be
// holding it, and the two would then sit on two different files. It counts
// as deletable only when it can be opened exclusively, and it is re-created
// by emptying it under that exclusive open.
#include <cstring>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/clock.h"
#include "framework/core/file_search.h"
#include "framework/core/file_utils.h"
#include "framework/forms/dialogs.h"
#include "storage/file_mgr.h"

namespace trx {

namespace {

constexpr int64_t PollMs = 100; // between two attempts
constexpr int64_t NoProgressMs = 5000; // a holder that long without a change may be stale
constexpr int64_t GiveUpMs = 6000; // other failures end after that long

// The lock file that cannot be created, named: it lies in a data directory
// that the user may have to find first.
[[noreturn]] void RaiseLockFileNotCreated(const std::string& LockFileName, int Code, const std::string& Why = {}) {
    throw Exception("Unable to create file \"" + LockFileName + "\"" + (Why.empty() ? "" : ": " + Why) +
                    ". I/O Error:" + IntToStr(Code));
}

// The lock file must be a plain file. A directory, a device or a FIFO in
// its place is reported as a lock file that cannot be created, at once:
// opening a FIFO waits for a writer for ever, and a device never gives back
// the record written into it.
void CheckLockFileKind(const std::string& LockFileName) {
    struct stat st {};
    if (stat(LockFileName.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        RaiseLockFileNotCreated(LockFileName, ioAccessDenied, "it is not a regular file");
}

bool IsShareConflict(int Code) { return Code == ioSharingViolation || Code == ioLockViolation; }

bool SameLockRcd(const TLockRcd& A, const TLockRcd& B) {
    return A.IdLen == B.IdLen && A.IdLen <= sizeof(A.Id) && std::memcmp(A.Id, B.Id, A.IdLen) == 0 &&
           std::memcmp(&A.Time, &B.Time, sizeof(A.Time)) == 0;
}

// The random part of a lock owner's identifier, from a generator of this
// process (seeded again in a forked child), so that two programs started
// together do not make the same identifier.
int LockIdRandom() {
    static pid_t seededFor = 0;
    static std::mt19937 gen;
    if (seededFor != getpid()) {
        seededFor = getpid();
        std::random_device rd;
        gen.seed(rd() ^ (static_cast<uint32_t>(seededFor) * 2654435761u));
    }
    return static_cast<int>(gen() % 10000u);
}

} // namespace

void TtrxFileMgr::InitLockRcd() {
    OurLockRcd = TLockRcd{};
    OurLockRcd.SetId(IntToStr(GetTickCount()) + ":" + IntToStr(LockIdRandom()));
    Locked = false;
}

std::string TLockRcd::IdStr() const { return std::string(Id, IdLen <= sizeof(Id) ? IdLen : sizeof(Id)); }

void TLockRcd::SetId(const std::string& Value) {
    std::memset(Id, 0, sizeof(Id));
    IdLen = static_cast<uint8_t>(Value.size() < sizeof(Id) ? Value.size() : sizeof(Id));
    std::memcpy(Id, Value.data(), IdLen);
}

int32_t TtrxFileMgr::GetFileDateStamp(TLockRcd& Rcd) {
    Rcd = TLockRcd{};
    int32_t stamp = -1;
    TFileOf<TLockRcd> f(LockFileName);
    f.FileMode = fmOpenRead | fmShareCompat;
    f.Reset();
    const int code = f.IOResult();
    if (code == 0) {
        stamp = FileGetDate(f.Handle());
        TLockRcd r;
        f.Seek(0);
        f.Read(r);
        if (f.IOResult() == 0) Rcd = r;
        f.CloseFile();
        (void)f.IOResult();
    } else if (IsShareConflict(code)) {
        TSearchRec sr;
        if (FindFirst(LockFileName, faAnyFile, sr) == 0 && SameText(sr.Name, ExtractFileName(LockFileName)))
            stamp = sr.Time;
        FindClose(sr);
    }
    return stamp;
}

void TtrxFileMgr::RecreateLockFile(bool Prompt) {
    // Emptied only under an exclusive open: a holder refuses it.
    LckFile.FileMode = fmOpenReadWrite | fmShareExclusive;
    LckFile.Rewrite();
    const int code = LckFile.IOResult();
    if (code == 0) return; // re-created; it stays open until the next attempt
    if (IsShareConflict(code)) {
        // Another manager holds the lock file: without Prompt (a shared
        // load racing with another) simply try again.
        if (!Prompt) return;
        const TModalResult answer =
            MessageDlg("Unable to obtain a lock for the ReportSettings file. Lock has timed out",
                       TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry}, 0);
        if (answer == mrRetry) return;
        Abort();
    }
    if (FileExists(LockFileName))
        throw ETrxSUError(std::string(SetupErrorPrefix) + "Unable to delete ReportSettings lock file \"" +
                          LockFileName + "\"" + CR + "File may be locked by another program");
    throw ETrxSUError(std::string(SetupErrorPrefix) + "Unable to create ReportSettings lock file \"" + LockFileName +
                      "\"" + CR + "I/O Error: " + IntToStr(code));
}

bool TtrxFileMgr::LockFile(uint16_t Mode) {
    OurLockRcd.Time = Now();
    int64_t start = GetTickCount();
    bool firstPass = true;

    CheckLockFileKind(LockFileName);
    if (!FileExists(LockFileName)) {
        // Nothing is made in a folder that is read-only for this user (by
        // its permission bits, which bind the superuser too).
        if (DirectoryIsReadOnly(ExtractFileDir(LockFileName))) RaiseLockFileNotCreated(LockFileName, ioAccessDenied);
        // Created empty, without emptying one that another program created meanwhile.
        int handle = -1;
        const int code =
            FileOpenShared(LockFileName, fmOpenReadWrite, fmShareDenyNone, TCreateDisposition::cdOpenAlways, handle);
        if (code != 0 && !IsShareConflict(code)) RaiseLockFileNotCreated(LockFileName, code);
        FileClose(handle);
    }

    TLockRcd r0;
    int32_t stamp = GetFileDateStamp(r0);
    const bool released = stamp >= 0 && Trim(r0.IdStr()).empty();

    try {
        int64_t now;
        do {
            now = GetTickCount();
            if (!firstPass) Delay(PollMs);
            firstPass = false;

            CheckLockFileKind(LockFileName); // another program may have put one there meanwhile
            LckFile.FileMode = Mode;
            LckFile.Reset();
            int code = LckFile.IOResult();
            if (code == 0) {
                LckFile.Seek(0);
                LckFile.Write(OurLockRcd);
                code = LckFile.IOResult();
                const bool wrote = code == 0;
                if (wrote) {
                    TLockRcd back;
                    LckFile.Seek(0);
                    LckFile.Read(back);
                    code = LckFile.IOResult();
                    if (code == 0 && SameLockRcd(back, OurLockRcd)) {
                        Locked = true;
                        break;
                    }
                }
                if (wrote && released) {
                    // Another manager wrote over a released lock file at the same time.
                    RecreateLockFile(false);
                    continue;
                }
            }
            if (IsShareConflict(code)) {
                if (now - start > NoProgressMs) {
                    TLockRcd r;
                    const int32_t s = GetFileDateStamp(r);
                    if (s == stamp) {
                        RecreateLockFile(true); // asks; Retry waits on, Abort ends silently
                    } else {
                        stamp = s;
                        r0 = r;
                    }
                    start = GetTickCount();
                }
            } else if (code == ioFileNotFound) {
                RecreateLockFile(false);
            } else if (code != 0) {
                throw eTrxIntError(std::string(InternalErrorPrefix) + "Locking file: \"" + LockFileName + "\"" + CR +
                                   "Unexpected I/O Error=" + IntToStr(code));
            }
        } while (now - start <= GiveUpMs);
    } catch (...) {
        if (!Locked) {
            if (LckFile.IsOpen()) LckFile.CloseFile();
            (void)LckFile.IOResult();
        }
        throw;
    }
    if (!Locked) {
        if (LckFile.IsOpen()) LckFile.CloseFile();
        (void)LckFile.IOResult();
    }
    return Locked;
}

bool TtrxFileMgr::CanHoldLock(bool ReadOnlyDir) {
    CheckLockFileKind(LockFileName);
    if (!FileExists(LockFileName)) return !ReadOnlyDir;
    if (FileIsReadOnly(LockFileName)) return false;
    if (!ReadOnlyDir) return true;
    // A read-only mount refuses what the bits allow.
    int handle = -1;
    const int code =
        FileOpenShared(LockFileName, fmOpenReadWrite, fmShareDenyNone, TCreateDisposition::cdOpenExisting, handle);
    if (code == 0) FileClose(handle);
    // Held alone by another manager, it can be ours later.
    return code != ioAccessDenied;
}

bool TtrxFileMgr::UnLockFile() {
    if (!LckFile.IsOpen()) {
        Locked = false;
        return true;
    }
    int code = 0;
    if (Locked) {
        LckFile.Seek(0);
        code = LckFile.IOResult();
        if (code != 0) {
            LckFile.CloseFile();
            (void)LckFile.IOResult();
            Locked = false;
            InOutCheck(code);
        }
        const TLockRcd released{};
        LckFile.Write(released);
        code = LckFile.IOResult();
    }
    LckFile.CloseFile();
    const int closeCode = LckFile.IOResult();
    Locked = false;
    if ((code != 0 || closeCode != 0) && FileExists(LockFileName)) return DeleteFile(LockFileName);
    return true;
}

} // namespace trx
