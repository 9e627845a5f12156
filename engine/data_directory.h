// The program's data directory (GetTBXDataDir, declared with the shared
// routines): the redirection file "TBXDirs.Ini" in the Windows directory
// names it per program; without an entry it is the program's path with the
// extension ".TRX". A missing directory is handed to the data-directory
// wizard, which is reached through a replaceable function.
#pragma once

#include <functional>
#include <string>

#include "engine/shared_routines.h"

namespace trx {

inline constexpr const char* TBXDirsIniName = "TBXDirs.Ini";
inline constexpr const char* TBXDirsSection = "Tabrix! Data Directories";

// Sets up a data directory that is undefined or missing. Dir comes in as
// found (possibly empty) and goes out as the directory to use, or empty when
// none was set up; HasRedirection tells whether the program has a non-empty
// entry in the redirection file.
using TAskToCreateTBXDataDirectory = std::function<void(std::string& Dir, bool HasRedirection)>;

// Installs the wizard (the component's library installs its own when it
// loads); an empty function restores the default set-up.
void SetAskToCreateTBXDataDirectory(TAskToCreateTBXDataDirectory Ask);

// The default set-up, the quiet one (and the wizard's own for a program
// file that does not exist yet): without a redirection entry the program's
// ".TRX" directory is made beside it, without any window; with an entry
// nothing can be set up without the wizard and Dir comes back empty.
void CreateDefaultTBXDataDirectory(std::string& Dir, bool HasRedirection);

} // namespace trx
