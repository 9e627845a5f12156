// Copying, moving and deleting the files of a directory (the data-directory
// wizard moves an old program's data directory with these).
//
// Every operation counts what it did: Count the entries processed
// successfully, ErrorCount those that failed. A copy checks every read and
// write and keeps the source's permission bits and times. A move never
// replaces anything that is there, takes back what it made when a copy
// fails, and deletes its sources only when every copy succeeded: a move that
// fails leaves both directories as they were.
#pragma once

#include <string>
#include <vector>

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
    // is deleted then, and the copies and directories the move made are
    // removed again, also when the failure raises), and when DestDir is the
    // source directory or lies inside it (nothing is copied then). False
    // too, before anything is copied, when an entry to be copied is already
    // there under its name in DestDir: Existing names it.
    bool MoveFiles(const std::string& Mask, const std::string& DestDir, bool Recurse, bool DeleteSource);

    int Count = 0;
    int ErrorCount = 0;
    // What stopped the last move by being there already; empty otherwise.
    std::string Existing;

private:
    bool CopyDirectory(const std::string& Mask, const std::string& DestDir, bool Recurse, const std::string& DestRoot);
    // The first entry of DestDir that a copy of Mask would replace, or empty.
    std::string FindExisting(const std::string& Mask, const std::string& DestDir, bool Recurse,
                             const std::string& DestRoot) const;
    // Removes what a failed move made, the last first.
    void TakeBack();

    // While a move copies: the files and directories it made, in order.
    std::vector<std::string>* made_ = nullptr;
};

} // namespace trx
