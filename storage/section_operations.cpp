// The operations on a report's section: load, save (create or rewrite),
// rename and delete, each under the lock file, and the opening of the
// settings file with retries.
//
// A change never edits the settings file in place: the new content goes to
// the temporary file, which is flushed to disk and renamed over the settings
// file in one step. A program killed in the middle leaves the old file.
#include <cerrno>
#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

#include "engine/protected_files.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/clock.h"
#include "framework/core/compiler_warnings.h"
#include "framework/core/file_utils.h"
#include "storage/file_mgr.h"
#include "storage/section_lines.h"

namespace trx {

namespace {

constexpr int OpenAttempts = 10;
constexpr int64_t OpenRetryMs = 500;

int RenameOver(const std::string& Target, const std::string& Source) {
    return rename(Source.c_str(), Target.c_str()) == 0 ? 0 : errno;
}

std::string OpenFailMessage(const std::string& FileName, int Code) {
    return std::string(SetupErrorPrefix) + "Unable to open file: " + FileName + CR + "because it is " +
           "locked by another application. Close the other application and try again." + CR + CR +
           "I/O Error:" + IntToStr(Code);
}

void SyncDirectoryOf(const std::string& FileName) {
    std::string dir = ExtractFileDir(FileName);
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    if (dir.empty()) dir = ".";
    TRX_GCC_BOGUS_RESTRICT_END
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)fsync(fd);
    close(fd);
}

} // namespace

TtrxFileMgr::TtrxFileMgr() = default;

TtrxFileMgr::~TtrxFileMgr() {
    SetProtectedFiles(this, {});
    FreeRSFList();
    try {
        UnLockFile();
    } catch (...) {
        // A lock that cannot be released cleanly is released by closing it.
    }
}

void TtrxFileMgr::InitVars(const std::string& User, const std::string& Id) {
    SectionName = GetSectionName(User, Id);
    RSFileName = GetRSFileName(User);
    TmpFileName = ChangeFileExt(RSFileName, ".$$$");
    InitRSFList();
    LockFileName = FixFilePath(ExtractFilePath(RSFileName), true) + "TBXLOCK.$$$";
    // A report's output must not overwrite the files kept here.
    SetProtectedFiles(this, {RSFileName, LockFileName});
    LckFile.AssignFile(LockFileName);
    InitLockRcd();
}

void TtrxFileMgr::OpenTextFile(TTextFile& F, const std::string& FileName, TFileOper& Oper) {
    F.AssignFile(FileName);
    if (Oper == TFileOper::foRead && !FileExists(FileName)) {
        // An empty settings file, without emptying one that another load
        // made meanwhile (and that it may be reading already).
        int handle = -1;
        const int code =
            FileOpenShared(FileName, fmOpenRead, fmShareDenyNone, TCreateDisposition::cdOpenAlways, handle);
        if (code != 0 && !((code == ioSharingViolation || code == ioLockViolation) && FileExists(FileName)))
            throw ETrxSUError(std::string(SetupErrorPrefix) + "I/O Error: " + IntToStr(code) + " creating file \"" +
                              FileName);
        FileClose(handle);
    }
    int code = 0;
    for (int attempt = 1; attempt <= OpenAttempts; ++attempt) {
        switch (Oper) {
        case TFileOper::foRead: F.Reset(); break;
        case TFileOper::foWrite: F.Rewrite(); break;
        case TFileOper::foAppend: F.Append(); break;
        case TFileOper::foNone: return;
        }
        code = F.IOResult();
        if (code == 0) return;
        if (code == ioSharingViolation || code == ioLockViolation) break;
        if (attempt < OpenAttempts) Delay(OpenRetryMs);
    }
    throw ETrxSUError(OpenFailMessage(FileName, code));
}

void TtrxFileMgr::OpenReplacement(const std::string& FailMessage) {
    // Renaming over a file needs only the directory's permission: the file's
    // own is checked here, so that one shared read-only stays as it is.
    if (FileIsReadOnly(RSFileName) || DirectoryIsReadOnly(ExtractFileDir(RSFileName)))
        throw ETrxSUError(!FailMessage.empty() ? FailMessage : OpenFailMessage(RSFileName, ioAccessDenied));
    TmpFileOper = TFileOper::foWrite;
    OpenTextFile(TmpFile, TmpFileName, TmpFileOper);
    TmpFilePending = true;
    // Before the first byte: the settings hold passwords, and a file shared
    // with other users must stay shared after the rename.
    InOutCheck(FileCopyPermissions(TmpFile.Handle(), RSFileName));
}

void TtrxFileMgr::ReplaceSettingsFile(const std::string& FailMessage) {
    CloseTextFile(RSFile);
    TmpFile.Flush();
    int code = TmpFile.IOResult();
    if (code == 0 && fsync(TmpFile.Handle()) != 0) code = ErrnoToIOResult(errno, TmpFileName);
    TmpFile.CloseFile();
    const int closeCode = TmpFile.IOResult();
    if (code == 0) code = closeCode;
    if (code == 0) {
        // Refused, as on the platform, while another handle holds the settings file.
        const int err = detail::WithFileNotInUse(RSFileName, RenameOver, TmpFileName);
        code = ErrnoToIOResult(err, RSFileName);
    }
    if (code != 0)
        throw ETrxSUError(!FailMessage.empty() ? FailMessage
                                               : std::string(SetupErrorPrefix) + "ReportSettings file \"" + RSFileName +
                                                     "\" could not be replaced" + CR + "I/O Error: " + IntToStr(code));
    TmpFilePending = false;
    SyncDirectoryOf(RSFileName);
}

void TtrxFileMgr::EndOperation() {
    CloseTextFile(RSFile);
    CloseTextFile(TmpFile);
    if (TmpFilePending) {
        // A change that failed half-way (a full disk, a size limit) leaves
        // nothing but the old settings file.
        (void)DeleteFile(TmpFileName);
        TmpFilePending = false;
    }
    RSText.Clear();
    FreeRSFList();
    UnLockFile();
}

bool TtrxFileMgr::RunOperation(const std::function<bool()>& Body) {
    bool done = false;
    try {
        done = Body();
    } catch (...) {
        // Nothing of the clean-up may raise over the failure itself.
        try {
            EndOperation();
        } catch (...) {}
        throw;
    }
    EndOperation();
    return done;
}

bool TtrxFileMgr::LockAndReadSettings(uint16_t Mode, bool MakeMissing) {
    RSFileOper = TFileOper::foRead;
    if (!LockFile(Mode)) return false;
    if (MakeMissing || FileExists(RSFileName)) {
        OpenTextFile(RSFile, RSFileName, RSFileOper);
        RSText.Open(RSFile);
    }
    return true;
}

bool TtrxFileMgr::LoadReportSettings(const TtrxUserName& User, const TtrxReportId& Id) {
    if (!ReportSettings)
        throw eTrxIntError(std::string(InternalErrorPrefix) +
                           "Attempt to load report settings before running TtrxTabrix.Print method");
    return RunOperation([&] {
        InitVars(User, Id);
        AssignDefaultsToReportSettings();
        const bool readOnlyDir = DirectoryIsReadOnly(ExtractFileDir(RSFileName));
        const bool canLock = CanHoldLock(readOnlyDir);
        if (canLock) {
            if (!LockAndReadSettings(LockModeShared, !readOnlyDir)) return false;
        } else {
            // Where this user can hold no lock he can change nothing either.
            // Read without the lock, the file is still whole: a change
            // replaces it in one step.
            RSFileOper = TFileOper::foRead;
            if (FileExists(RSFileName)) {
                OpenTextFile(RSFile, RSFileName, RSFileOper);
                RSText.Open(RSFile);
            }
        }
        bool found = false, unused = false;
        FindSection(SectionName, found, unused);
        if (found) {
            while (!RSText.Eof()) {
                const std::string_view line = RSText.ReadLn();
                if (IsSectionHeaderLine(line)) break;
                AssignStrLineToReportSettings(line);
            }
        }
        if (readOnlyDir || !canLock) ReportSettings->SettingsReadOnly = true;
        return true;
    });
}

bool TtrxFileMgr::SaveReportSettings(TtrxUserName& User, TtrxReportId& Id, bool Write) {
    // The user is passed as the new user too, so that a section saved under
    // an empty identifier keeps it.
    return RenameReportSettings(User, Id, User, TtrxReportId(), Write, User, Id);
}

void TtrxFileMgr::AppendSection(const std::string& Header, bool Write) {
    // Everything before the new section stays as it is.
    RSText.Rewind();
    TSectionScanner scanner;
    bool lineOpen = false;
    while (!RSText.Eof()) {
        const std::string_view raw = RSText.ReadRawLine();
        scanner.Feed(LineOfRaw(raw));
        lineOpen = raw.back() != LF;
    }
    TmpFile.Write(RSText.Span(0, RSText.Pos()));
    if (scanner.InMemoBlock()) {
        // The last section's memo block runs to the end of the file: close
        // it (its text stays as it reads now), so that the new section is
        // not part of it.
        TmpFile.WriteLn();
        TmpFile.WriteLn(scanner.EndMarker());
    } else if (lineOpen) {
        TmpFile.WriteLn();
    }
    TmpFile.WriteLn(Header);
    if (Write) {
        WriteReportSettings(TmpFile);
        TmpFile.WriteLn();
    }
}

bool TtrxFileMgr::RenameReportSettings(const TtrxUserName& OldUser, const TtrxReportId& OldId,
                                       const TtrxUserName& NewUser, const TtrxReportId& NewId, bool Write,
                                       TtrxUserName& ResUser, TtrxReportId& ResId) {
    const TtrxUserName oldUser = OldUser;
    TtrxReportId oldId = OldId;
    const TtrxUserName newUser = NewUser;
    TtrxReportId newId = NewId;
    if (oldUser == newUser && oldId == newId && !oldId.empty()) return true;
    if (Write && !ReportSettings)
        throw eTrxIntError(std::string(InternalErrorPrefix) +
                           "Attempt to save report settings before running TtrxTabrix.Print method");

    std::string newSection, oldSection;
    if (!newId.empty() || oldId.empty()) {
        ValidateReportIdSyntax(newId, true); // an empty identifier becomes a suffix alone
        newSection = GetSectionName(newUser, newId);
    }
    if (!oldId.empty()) {
        if (newId.empty()) ValidateReportIdSyntax(oldId, true);
        oldSection = GetSectionName(oldUser, oldId);
    }
    const TtrxUserName workUser = oldId.empty() ? newUser : oldUser;
    const TtrxReportId workId = oldId.empty() ? newId : oldId;
    const bool resultIsNew = oldId.empty() || !newId.empty();
    const TtrxUserName resUser = resultIsNew ? newUser : oldUser;
    const TtrxReportId resId = resultIsNew ? newId : oldId;

    const bool done = RunOperation([&] {
        InitVars(workUser, workId);
        if (!LockAndReadSettings(LockModeExclusive)) return false;
        bool foundNew = false, foundOld = false, unused = false;
        if (!newSection.empty()) FindSection(newSection, foundNew, unused);
        if (!oldSection.empty()) FindSection(oldSection, foundOld, unused);
        if (oldSection.empty() && foundNew && RunningFromIDE())
            throw ETrxSUError(std::string(SetupErrorPrefix) + "ReportId \"" + newSection + "\" already exists");

        TmpFileOper = TFileOper::foNone;
        // Reserving or renaming onto a section that exists, with no old
        // section to carry and nothing to write, leaves the file alone.
        if (!Write && !foundOld && foundNew) return true;

        const std::string resSection = GetSectionName(resUser, resId);
        OpenReplacement("");
        if (!foundNew && !foundOld) {
            AppendSection(resSection, Write);
        } else {
            // The section takes the place of the old one (or of the one
            // found under the new names); every other copy of either header
            // is left out, so that no header is there twice.
            CopyPartialFile(true, foundOld ? oldSection : newSection, oldSection, newSection);
            TmpFile.WriteLn(resSection);
            if (Write) {
                WriteReportSettings(TmpFile);
                TmpFile.WriteLn();
            }
            // Without Write the body under the header found is kept.
            CopyPartialFile(false, "", oldSection, newSection, !Write);
        }
        InOutCheck(TmpFile.IOResult());
        ReplaceSettingsFile("");
        return true;
    });
    if (done) {
        ResUser = resUser;
        ResId = resId;
    }
    return done;
}

bool TtrxFileMgr::DeleteReportSettings(const TtrxUserName& User, const TtrxReportId& Id) {
    return RunOperation([&] {
        InitVars(User, Id);
        if (!LockAndReadSettings(LockModeExclusive)) return false;
        bool found = false, unused = false;
        FindSection(SectionName, found, unused);
        if (found) {
            const std::string failMessage =
                std::string(SetupErrorPrefix) + "ReportSettings can not be deleted for " + GetSectionName(User, Id);
            OpenReplacement(failMessage);
            CopyPartialFile(true, "", SectionName);
            InOutCheck(TmpFile.IOResult());
            ReplaceSettingsFile(failMessage);
        }
        return true;
    });
}

} // namespace trx
