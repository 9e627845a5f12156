// File names, paths, directories and file dates with the framework's rules.
//
// Paths use '/' as their only delimiter; a backslash is an ordinary
// character of a name. File names are case-sensitive, as the file system
// is; only directory search (file_search.h) and ini files compare names
// without regard to case.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/date_time.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_handles.h"

namespace trx {

inline constexpr char PathDelim = '/';

// -- Names ------------------------------------------------------------------

// The directory part with its trailing delimiter ("" when there is none).
std::string ExtractFilePath(const std::string& FileName);
// The directory part without its trailing delimiter, except for the root.
std::string ExtractFileDir(const std::string& FileName);
std::string ExtractFileName(const std::string& FileName);
// From the last '.' of the name part on ("" when the name has no '.');
// a '.' in a directory name is no extension.
std::string ExtractFileExt(const std::string& FileName);
// Replaces the extension (or appends Extension when there is none).
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& S);
std::string ExcludeTrailingPathDelimiter(const std::string& S);
// The absolute form of FileName, relative to the current directory, with
// "." and ".." resolved by name (symbolic links are not followed) and
// repeated delimiters collapsed; a trailing delimiter stays. "" stays "".
std::string ExpandFileName(const std::string& FileName);

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& Dir);

// -- Files and directories --------------------------------------------------

// True for an existing file that is not a directory (links are followed).
bool FileExists(const std::string& FileName);
// True when both names lead, by whatever path or link, to one existing file:
// the same device and inode. False when either does not exist.
bool IsSameFile(const std::string& FileName1, const std::string& FileName2);
bool DirectoryExists(const std::string& Directory);
// Makes one directory; its parent must exist.
bool CreateDir(const std::string& Dir);
// Makes the directory and every missing parent; true when it exists after.
// An empty name raises EInOutError "Unable to create directory".
bool ForceDirectories(const std::string& Dir);
// Removes an empty directory.
bool RemoveDir(const std::string& Dir);
// Deletes a file. Fails for a directory, a missing file, and a file that a
// handle of file_handles.h holds open (as the platform refuses to delete an
// open file).
bool DeleteFile(const std::string& FileName);
// Renames or moves a file or directory in one atomic step. Fails, as on the
// platform, when NewName exists already (nothing is replaced) and when the
// file is held open by a handle of file_handles.h.
bool RenameFile(const std::string& OldName, const std::string& NewName);
// True for an existing file that this process may not write by its
// permission bits: the write bit of the class that applies to it (owner,
// group or others, by the effective user and groups) is off. The bits bind
// the superuser too, as a file's read-only attribute binds every user on the
// platform; access control lists and read-only mounts are not looked at.
bool FileIsReadOnly(const std::string& FileName);
// True for an existing directory in which this process may make no entry:
// by its permission bits as FileIsReadOnly reads them (binding the superuser
// too), or because the system refuses it (a read-only mount, an access
// control list).
bool DirectoryIsReadOnly(const std::string& Dir);
// Gives the open file Handle the permission bits of FileName, and its owner
// and group as far as this process may set them. Returns 0 or the I/O result
// code of reading FileName's bits or of setting them.
int FileCopyPermissions(int Handle, const std::string& FileName);
// Gives the open file Handle the last access and last write times of
// FileName, to the nanosecond. Returns 0 or the I/O result code.
int FileCopyTimes(int Handle, const std::string& FileName);
// The I/O result code of the last failed DeleteFile, RenameFile, CreateDir,
// RemoveDir or SetCurrentDir of this thread.
int LastFileOpError();

// -- File dates -------------------------------------------------------------

// Packed date (file_handles.h) of a file's last write; -1 for a missing file
// or a directory.
int32_t FileAge(const std::string& FileName);
// The same as a TDateTime; false for a missing file or a directory.
bool FileAge(const std::string& FileName, TDateTime& FileDateTime);
// Sets a file's last write date; 0 or an I/O result code.
int FileSetDate(const std::string& FileName, int32_t Age);
// Packed date <-> TDateTime (days since 30 December 1899). A date outside
// 1980..2107 packs as 0; an invalid packed value gives 0.
TDateTime FileDateToDateTime(int32_t FileDate);
int32_t DateTimeToFileDate(TDateTime DateTime);

// -- The running program ----------------------------------------------------

// Full name of the running program (/proc/self/exe), unless a name was set
// with SetExeFileName; an empty name returns to the real one.
std::string ExeFileName();
void SetExeFileName(const std::string& FileName);

} // namespace trx
