// The settings-file manager: loads, saves, renames and deletes the section of
// one report identifier and user in the shared settings file "RptSet.TXT",
// under the lock file "TBXLOCK.$$$" that all programs sharing the data
// directory honour.
//
// The settings file holds one section per report and user: a header line
// "[User:ReportId]" (or "[ReportId]" without a user), one "Key=Value" line
// per setting that differs from its default, then a block per memo text:
//     Memo,PgTi=START
//     ...the text, its own line breaks CR LF...
//     Memo,PgTi=END
// Every change rewrites the file into "RptSet.$$$" and renames that over the
// settings file, so readers only ever see a whole file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/report_settings.h"
#include "framework/core/text_file.h"
#include "framework/core/types.h"
#include "storage/section_lines.h"
#include "storage/settings_fields.h"

namespace trx {

enum class TFileOper : uint8_t { foNone, foRead, foWrite, foAppend };

// The record of the lock file (32 bytes, little-endian). Only record 0 is
// used; an empty (or blank) Id marks the lock file as released.
struct TLockRcd {
    uint8_t IdLen = 0;
    char Id[20] = {};
    uint8_t Reserved[3] = {};
    double Time = 0; // TDateTime of the lock attempt

    std::string IdStr() const;
    void SetId(const std::string& Value); // cut to 20 characters
};
static_assert(sizeof(TLockRcd) == 32, "the lock file holds 32-byte records");

// Share modes of the lock: loads share it, changes hold it alone.
inline constexpr uint16_t LockModeShared = 66; // read and write, deny none
inline constexpr uint16_t LockModeExclusive = 18; // read and write, exclusive

class TtrxFileMgr : public TObject {
public:
    TtrxFileMgr();
    ~TtrxFileMgr() override;
    TtrxFileMgr(const TtrxFileMgr&) = delete;
    TtrxFileMgr& operator=(const TtrxFileMgr&) = delete;

    // ---- Operations of the component -------------------------------------
    // Each returns true when it completed; false when the lock was not
    // obtained (a load then keeps the defaults, a change does nothing).

    // Fills ReportSettings (and the style options of RptStyles) with the
    // defaults, then with the section of User and Id when there is one.
    // Settings in a folder that is read-only for the user (or beside a lock
    // file he may not write) are read without the lock and marked
    // SettingsReadOnly; nothing is made there.
    bool LoadReportSettings(const TtrxUserName& User, const TtrxReportId& Id);
    // Writes the section of User and Id (with Write false only reserves its
    // header); Id gets a suffix when it has none. User and Id receive the
    // resulting names.
    bool SaveReportSettings(TtrxUserName& User, TtrxReportId& Id, bool Write);
    // Creates, rewrites or renames a section. ResUser and ResId are assigned
    // only when the operation completes; they may be the caller's own
    // variables. A renamed section keeps its body unless Write.
    bool RenameReportSettings(const TtrxUserName& OldUser, const TtrxReportId& OldId, const TtrxUserName& NewUser,
                              const TtrxReportId& NewId, bool Write, TtrxUserName& ResUser, TtrxReportId& ResId);
    // Removes the section of User and Id; nothing when there is none.
    bool DeleteReportSettings(const TtrxUserName& User, const TtrxReportId& Id);

    // ---- Report identifiers ---------------------------------------------
    // A new suffix "(nnn.nnn)".
    static TtrxReportId GetNewReportId();
    // True when Id ends in a suffix; with AutoFix an Id without one becomes
    // its last word (20 characters at most), a blank and a new suffix.
    static bool ValidateReportIdSyntax(TtrxReportId& Id, bool AutoFix);

    // ---- Settings --------------------------------------------------------
    // The run's settings record that loads fill and saves write; not owned.
    TtrxReportSettings* ReportSettings = nullptr;
    // The directory of the settings file; empty: the program's data
    // directory (GetTBXDataDir).
    std::string DataDir;

    // ---- The settings file and its field table ----------------------------
    void InitRSFList();
    void UpdateRSFList(const std::string& Key, const std::string& Text);
    void UpdateEntireRSFList();
    // Stores Value into the field of Row (Row's default when it does not
    // convert); nothing without ReportSettings.
    void AssignStrFldToReportSettings(const TrsfData& Row, const std::string& Value);
    void AssignStrLineToReportSettings(std::string_view Line);
    // Reads one memo block from the current position of RSText.
    void ReadMemoBuf(const std::string& Key);
    void AssignDefaultsToReportSettings();
    // Positions RSText right after the first header equal to Name1 or Name2.
    void FindSection(const std::string& Name1, bool& Found1, bool& Found2, const std::string& Name2 = {});
    // Copies lines from RSText to TmpFile, byte for byte: from the start of the file or from
    // the current position, up to (not including) the header StopAt, leaving
    // out the sections whose header is Skip1 or Skip2. Copying starts off
    // (lines before the next header are not copied) unless KeepBody.
    void CopyPartialFile(bool FromStart, const std::string& StopAt, const std::string& Skip1,
                         const std::string& Skip2 = {}, bool KeepBody = false);
    static void CloseTextFile(TTextFile& F);
    static std::string GetSectionName(const std::string& User, const std::string& Id);
    std::string GetRSFileName(const std::string& User);
    void WriteReportSettings(TTextFile& F);
    void FreeRSFList() { RSFList.reset(); }

    // ---- Converters (text read from the file, the default as fallback) ----
    static TRptMemoNdx CnvtStrToRptMemoNdx(const std::string& Name);
    static std::string CnvtRectToStr(const TRect& Rect);
    static int CnvtStrToIntDflt(const std::string& Text, const std::string& Default);
    static std::string CnvtStrToStrDflt(const std::string& Text, const std::string& Default);
    static bool CnvtStrToBoolDflt(const std::string& Text, const std::string& Default);
    static TRect CnvtStrToRectDflt(const std::string& Text, const std::string& Default);
    static TPoint CnvtStrToPointDflt(const std::string& Text, const std::string& Default);
    static TDateTime CnvtStrToDateDflt(const std::string& Text, const std::string& Default);

    // ---- The lock file ---------------------------------------------------
    void InitVars(const std::string& User, const std::string& Id);
    // A new owner identifier for this manager's lock record; not locked.
    void InitLockRcd();
    bool LockFile(uint16_t Mode);
    // Whether this user can hold a lock here at all: the lock file is there
    // and may be written, or it can be made (ReadOnlyDir: the folder takes
    // no new file). Raises the lock file's error when it is no regular file.
    bool CanHoldLock(bool ReadOnlyDir);
    bool UnLockFile();
    void RecreateLockFile(bool Prompt);
    int32_t GetFileDateStamp(TLockRcd& Rcd);
    void OpenTextFile(TTextFile& F, const std::string& FileName, TFileOper& Oper);

    std::unique_ptr<TrsfList> RSFList;
    TTextFile RSFile;
    TSettingsText RSText; // RSFile's content, read when it is opened
    TTextFile TmpFile;
    TFileOper RSFileOper = TFileOper::foNone;
    TFileOper TmpFileOper = TFileOper::foNone;
    std::string RSFileName;
    std::string TmpFileName;
    std::string SectionName;
    std::string LockFileName;
    TFileOf<TLockRcd> LckFile;
    TLockRcd OurLockRcd;
    bool Locked = false;

private:
    // The temporary file of this operation is on disk and has not replaced
    // the settings file: the end of the operation deletes it.
    bool TmpFilePending = false;

    // Runs one operation: Body (false when the lock was not obtained), then,
    // on every path, closes both files, deletes a temporary file that did
    // not replace the settings file, frees the field table and releases the
    // lock.
    bool RunOperation(const std::function<bool()>& Body);
    void EndOperation();
    // Takes the lock in Mode, opens the settings file (made empty when it is
    // missing, unless not MakeMissing) and reads it; false when the lock was
    // not obtained.
    bool LockAndReadSettings(uint16_t Mode, bool MakeMissing = true);
    // Copies the whole file to the temporary file and adds the section
    // Header (with its settings when Write) at its end.
    void AppendSection(const std::string& Header, bool Write);
    // Opens the temporary file that is to replace the settings file and gives
    // it the settings file's permissions, owner and group before anything is
    // written into it. A settings file that is read-only for this user is
    // not replaced: raises a setup error (FailMessage, or the open failure
    // with code 5) before anything is written.
    void OpenReplacement(const std::string& FailMessage);
    // Closes both files, flushes the temporary file to disk and renames it
    // over the settings file; raises a setup error (FailMessage, or the
    // replacement message) when that fails, leaving the old file as it was.
    void ReplaceSettingsFile(const std::string& FailMessage);
};

} // namespace trx
