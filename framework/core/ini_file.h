// Ini files with the platform's rules.
//
// Place. A file name without a directory lies in the Windows directory
// (WindowsDirectory()), which is created by the first write; any other name
// is used as it stands.
//
// Reading. The file is read afresh by every call, so changes made by other
// programs are seen at once; a missing or unreadable file reads as empty and
// every value takes its default. A name that stands for no regular file (a
// directory, a FIFO, a device) is refused by every read and write with
// EIniFileException "Unable to read <path>: it is not a regular file".
// Section and key names are compared without regard to case (ASCII letters)
// and without the blanks and tabs around them. A section runs from its "[name]" line to the next one; lines before
// the first section, lines beginning with ';' and lines without a name
// belong to no key. A key line is "name=value" (a line without '=' is a key
// with an empty value). The value loses the blanks and tabs around it, and
// then one pair of equal quotes (' or ") that encloses it whole, so
// "key = ' a '" reads " a ". Of two equal sections or keys the first counts.
// Bytes are passed unchanged (code page 437 line drawing survives).
//
// Writing. Every write goes to the file at once: the new content is written
// to a temporary file beside it, which then replaces the file in one step.
// Only the line concerned changes; other sections, comments, blank lines,
// the order of keys and the line breaks in use stay. A changed key keeps its
// place and the spelling of its name; a new key follows the last line of its
// section; a new section goes to the end of the file after an empty line.
// Values are written as given, so blanks around a value and enclosing quotes
// do not survive a round trip (as on the platform); a value is cut at its
// first line break, which could not be read back. Failures raise
// EIniFileException "Unable to write to <file name>".
#pragma once

#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/stringlist.h"

namespace trx {

class EIniFileException : public Exception {
    using Exception::Exception;
};

// The directory of ini files given by bare name: the environment variable
// TRX_WINDOWS_DIR when set, else $XDG_CONFIG_HOME/tabrix, else
// $HOME/.config/tabrix; without a trailing delimiter.
std::string WindowsDirectory();

class TIniFile : public TObject {
public:
    explicit TIniFile(const std::string& FileName);
    ~TIniFile() override = default;

    // The name as given, and the path of the file it stands for.
    const std::string& FileName() const { return fileName_; }
    const std::string& FullPath() const { return fullPath_; }

    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) const;
    // Decimal, "$" or "0x" hexadecimal; anything else gives Default.
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    // An integer: non-zero is true; anything else gives Default.
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    // Writes "1" or "0".
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

    // Replace the content of Strings: the key names of a section, the
    // section names, and the section's lines as "key=value".
    void ReadSection(const std::string& Section, TStrings& Strings) const;
    void ReadSections(TStrings& Strings) const;
    void ReadSectionValues(const std::string& Section, TStrings& Strings) const;
    // True when the section holds at least one key (an empty section counts
    // as missing, as on the platform).
    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Ident) const;
    // Removes every section of that name with all its lines.
    void EraseSection(const std::string& Section);
    void DeleteKey(const std::string& Section, const std::string& Ident);

private:
    std::string fileName_;
    std::string fullPath_;
    bool bareName_ = false;
};

} // namespace trx
