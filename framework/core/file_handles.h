// File handles with the framework's open and share modes, and the numeric
// I/O result codes that file routines report instead of errno values.
//
// Share modes. Every open file records, on its own open file description,
// what it may do (read, write) and what it refuses to others (read, write),
// as shared lock bytes far beyond any real data. An open is refused with
// code 32 (sharing violation) when it wants an access that an existing open
// refuses, or refuses an access that an existing open holds; this is the
// platform's rule for share modes. Because the records belong to the open
// file description, two opens of one file in one process exclude each other
// exactly as two processes do, and closing the handle releases them. A file
// that cannot be opened readable (write permission only) is opened without
// share records. Other programs that do not use these routines are not
// restrained, and do not restrain us.
//
// Deleting or renaming a file that some handle holds open fails with code 32,
// as on the platform, where files are opened without delete sharing.
#pragma once

#include <cstdint>
#include <string>

namespace trx {

// Open modes: one access mode combined with one share mode.
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
// fmShareCompat means "deny none" for typed files (TRecordFile) and
// "exclusive" for FileOpen and TFileStream, as the framework has it.
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;
// Creates the file (or empties an existing one) with read and write access;
// may be combined with a share mode (exclusive when none is given).
inline constexpr uint16_t fmCreate = 0xFF00;

// I/O result codes used by the file routines.
inline constexpr int ioFileNotFound = 2;
inline constexpr int ioPathNotFound = 3;
inline constexpr int ioTooManyOpenFiles = 4;
inline constexpr int ioAccessDenied = 5;
inline constexpr int ioInvalidHandle = 6;
inline constexpr int ioNotReady = 21; // a device or a pipe with nobody at the other end
inline constexpr int ioSharingViolation = 32;
inline constexpr int ioLockViolation = 33;
inline constexpr int ioInvalidParameter = 87;
inline constexpr int ioDiskFull = 112;
inline constexpr int ioNegativeSeek = 131;
inline constexpr int ioDirNotEmpty = 145;
inline constexpr int ioAlreadyExists = 183;
inline constexpr int ioDiskRead = 100; // read beyond the end, or a read failure
inline constexpr int ioDiskWrite = 101;
inline constexpr int ioFileNotAssigned = 102;
inline constexpr int ioFileNotOpen = 103;
inline constexpr int ioNotOpenForInput = 104;
inline constexpr int ioNotOpenForOutput = 105;

// The I/O result code for an errno value of an operation on FileName. A
// missing file gives 2 when its directory exists and 3 when it does not.
int ErrnoToIOResult(int Errno, const std::string& FileName);

// The framework's message for an I/O result code ("File not found",
// "File access denied", "I/O error 32", ...).
std::string InOutErrorMessage(int Code);
// Raises EInOutError with InOutErrorMessage(Code) when Code is not 0.
void InOutCheck(int Code);

enum class TCreateDisposition : uint8_t {
    cdOpenExisting, // the file must exist
    cdCreateAlways, // created, or emptied when it exists
    cdOpenAlways, // opened, or created empty when missing
};

// Opens FileName with Access (fmOpenRead, fmOpenWrite, fmOpenReadWrite) and
// Share (fmShareExclusive, fmShareDenyWrite, fmShareDenyRead or
// fmShareDenyNone; fmShareCompat counts as exclusive here). Returns the I/O
// result code; on success Handle is the open handle, else -1. An existing
// regular file is emptied (cdCreateAlways) only after the share check
// passed; a device or a FIFO is written as it is. A FIFO opened write-only
// needs a reader that has it open already (else 21), and is opened
// write-only, so that the writes fail once its reader has gone.
int FileOpenShared(const std::string& FileName, uint16_t Access, uint16_t Share, TCreateDisposition How, int& Handle);

// The framework's handle routines. FileOpen and FileCreate return -1 on
// failure; LastFileError() then gives the I/O result code of the failure.
int FileOpen(const std::string& FileName, uint16_t Mode);
int FileCreate(const std::string& FileName, uint16_t Share = fmShareExclusive);
int LastFileError();
void FileClose(int Handle);
// Bytes read or written, -1 on failure. Writing to a pipe whose reader has
// gone fails (EPIPE) without the signal that would end the program.
int FileRead(int Handle, void* Buffer, int Count);
int FileWrite(int Handle, const void* Buffer, int Count);
// Origin 0 from the start, 1 from the current position, 2 from the end.
// Returns the new position, -1 on failure.
int64_t FileSeek(int Handle, int64_t Offset, int Origin);

// Packed date and time (the platform's file date: date in the high word,
// time in the low word, local time, two-second steps) of the last write of
// an open file; -1 on failure.
int32_t FileGetDate(int Handle);
// Sets the last write date of an open file; 0 or an I/O result code.
int FileSetDate(int Handle, int32_t Age);

// True when some handle of these routines holds FileName open.
bool FileIsInUse(const std::string& FileName);

namespace detail {
// Packed file date of a time in seconds since 1970 (clamped to 1980..2107),
// and back; false for a packed value that is no valid date and time.
int32_t UnixTimeToFileDate(int64_t T);
bool FileDateToUnixTime(int32_t Age, int64_t& T);
// Runs Action (returning an errno value, 0 on success) while no handle can
// be opened on FileName, unless a handle is open already: then returns
// EBUSY without running it. Used to delete and rename files.
int WithFileNotInUse(const std::string& FileName, int (*Action)(const std::string&, const std::string&),
                     const std::string& Other);
} // namespace detail

} // namespace trx
