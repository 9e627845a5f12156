// Files that a report's output must never be written over. The run asks the
// dataset of the object to print for its database files itself; the layers
// above name here the files they keep (the settings file and its lock file).
#pragma once

#include <string>
#include <vector>

namespace trx {

// Sets the files that Owner keeps, in place of those it named before; an
// empty list forgets Owner.
void SetProtectedFiles(const void* Owner, std::vector<std::string> Files);

// True when FileName is, by whatever path or link, one of the files named
// here (compared by device and inode; a file that does not exist is none).
bool IsProtectedFile(const std::string& FileName);

} // namespace trx
