// Copying, moving and deleting the files of a directory (the data-directory
// wizard moves an old program's data directory with these).
//
// Every operation counts what it did: Count the entries processed
// successfully, ErrorCount those that failed. A copy checks every read and
// write and keeps the source's permission bits and times; a move deletes its
// sources only when every copy succeeded, so that nothing is lost when a
// copy fails half-way.
#pragma once

#include <string>

#include "framework/core/exceptions.h"

namespace trx {

class TFileMgr : public TObject {
public:
    // Copies one file over Dest (replacing a file of that name). Raises
    // EFOpenError when Source cannot be opened and EFCreateError when Dest
    // cannot be created (also when it is read-only). False, with no Dest
    // left behind, when a read or write fails or when Source and Dest are
    // one file.
    bool FileCopy(const std::string& Source, const std::string& Dest);
    // Copies every entry of Mask ("dir/*.*") into DestDir, made with its
    // parents when missing; subdirectories only with Recurse. False for an
    // empty Mask or DestDir, and when some entry could not be copied. Raises
    // EFCreateError when DestDir cannot be made.
    bool CopyFiles(const std::string& Mask, const std::string& DestDir, bool Recurse);
    // Deletes every file of Mask; with Recurse also its subdirectories with
    // their contents. True only when every deletion succeeded.
    bool DeleteFiles(const std::string& Mask, bool Recurse);
    // Copies, then (with DeleteSource) deletes the sources. Starts Count
    // afresh. False when nothing was copied, when any copy failed (nothing
    // is deleted then), and when DestDir is the source directory or lies
    // inside it (nothing is copied then).
    bool MoveFiles(const std::string& Mask, const std::string& DestDir, bool Recurse, bool DeleteSource);

    int Count = 0;
    int ErrorCount = 0;

private:
    bool CopyDirectory(const std::string& Mask, const std::string& DestDir, bool Recurse, const std::string& DestRoot);
};

} // namespace trx
