// Directory search with the framework's FindFirst, FindNext and FindClose.
//
// The mask is the last part of the path given to FindFirst; the part before
// it names the directory (the current directory when there is none). Names
// match the mask without regard to case (ASCII letters):
//   '*'  any run of characters, dots included, except that a star just
//        before a dot never takes the name's last dot ("*.TXT" matches
//        A.B.TXT but not A.TXT.BAK);
//   '?'  one character, or none at the end of the name or before its last
//        dot, so "DATA?.TXT" matches DATA.TXT and DATA1.TXT;
//   '.'  before '*', '?' or the end of the mask also matches the end of a
//        name without a dot, so "*.*" matches every name and "*." matches
//        the names without an extension.
// Entries come sorted by name ("." and ".." first), so a search is repeatable.
//
// Attributes: faDirectory for a directory, faHidden for a name beginning
// with '.' (except "." and ".."), faReadOnly for an entry nobody may write,
// faSysFile for a device, pipe or socket, faSymLink for a symbolic link
// (whose target gives the other attributes, the size and the time). Plain
// files and read-only files are always found; hidden files, system files and
// directories only when the attribute mask of FindFirst asks for them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace trx {

inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faSymLink = 0x40;
inline constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    int32_t Time = 0; // packed date and time of the last write (file_handles.h)
    int64_t Size = 0; // 0 for a directory
    int Attr = 0;
    std::string Name;
    int ExcludeAttr = 0;
    // The entries still to come; released by FindClose or with the record.
    std::shared_ptr<void> FindHandle;
};

// 0 and the first entry in F; otherwise 2 when nothing matches, 3 when the
// directory does not exist.
int FindFirst(const std::string& Path, int Attr, TSearchRec& F);
// 0 and the next entry in F; 18 when there are no more entries.
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// True when Name matches Mask by the rules above.
bool FileNameMatches(const std::string& Name, const std::string& Mask);

} // namespace trx
