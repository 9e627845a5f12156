#include "framework/core/ini_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/compiler_warnings.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"

namespace trx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimView(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && (IsBlank(s[e - 1]) || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

std::string TrimBlanks(std::string_view s) { return std::string(TrimView(s)); }

struct TIniLine {
    std::string Text;
    std::string Eol; // "\r\n", "\n", or "" for a last line without a break
};

enum class TLineKind : uint8_t { lkOther, lkSection, lkKey };

struct TParsedLine {
    TLineKind Kind = TLineKind::lkOther;
    std::string Name; // section or key name, trimmed
    std::string Value; // key value, trimmed and unquoted
};

// What a line is, without taking it apart.
TLineKind KindOf(std::string_view Text) {
    const std::string_view t = TrimView(Text);
    if (t.empty() || t[0] == ';') return TLineKind::lkOther;
    if (t[0] == '[') return t.find_last_of(']') == std::string_view::npos ? TLineKind::lkOther : TLineKind::lkSection;
    return TrimView(t.substr(0, t.find('='))).empty() ? TLineKind::lkOther : TLineKind::lkKey;
}

TParsedLine Parse(std::string_view Text) {
    TParsedLine p;
    p.Kind = KindOf(Text);
    if (p.Kind == TLineKind::lkOther) return p;
    const std::string_view t = TrimView(Text);
    if (p.Kind == TLineKind::lkSection) {
        p.Name = TrimBlanks(t.substr(1, t.find_last_of(']') - 1));
        return p;
    }
    const auto eq = t.find('=');
    p.Name = TrimBlanks(t.substr(0, eq));
    if (eq != std::string_view::npos) {
        std::string_view value = TrimView(t.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        p.Value = std::string(value);
    }
    return p;
}

[[noreturn]] void RefuseNotRegular(const std::string& Path) {
    throw EIniFileException("Unable to read " + Path + ": it is not a regular file");
}

class TIniDoc {
public:
    std::vector<TIniLine> Lines;
    std::string Eol = "\r\n"; // the line break of the file's first line

    void Load(const std::string& Path) {
        const std::string bytes = ReadWhole(Path);
        bool eolSeen = false;
        std::size_t start = 0;
        while (start < bytes.size()) {
            const auto lf = bytes.find('\n', start);
            TIniLine line;
            if (lf == std::string::npos) {
                line.Text = bytes.substr(start);
                start = bytes.size();
            } else {
                const bool crlf = lf > start && bytes[lf - 1] == '\r';
                line.Text = bytes.substr(start, lf - start - (crlf ? 1 : 0));
                line.Eol = crlf ? "\r\n" : "\n";
                if (!eolSeen) Eol = line.Eol;
                eolSeen = true;
                start = lf + 1;
            }
            Lines.push_back(std::move(line));
        }
    }

    // Index of the header of the first section named Section, or -1.
    int FindSection(const std::string& Section, int From = 0) const {
        const std::string name = TrimBlanks(Section);
        for (int i = From; i < Count(); ++i)
            if (KindOf(Lines[i].Text) == TLineKind::lkSection && SameText(Parse(Lines[i].Text).Name, name)) return i;
        return -1;
    }

    // The line after the section's last line.
    int SectionEnd(int Header) const {
        int i = Header + 1;
        while (i < Count() && KindOf(Lines[i].Text) != TLineKind::lkSection) ++i;
        return i;
    }

    int FindKey(int Header, const std::string& Ident) const {
        if (Header < 0) return -1;
        const std::string name = TrimBlanks(Ident);
        const int end = SectionEnd(Header);
        for (int i = Header + 1; i < end; ++i) {
            const TParsedLine p = Parse(Lines[i].Text);
            if (p.Kind == TLineKind::lkKey && SameText(p.Name, name)) return i;
        }
        return -1;
    }

    void Insert(int At, std::string Text) {
        // The line before gets a line break when it had none (the file's last line).
        if (At > 0 && Lines[At - 1].Eol.empty()) Lines[At - 1].Eol = Eol;
        Lines.insert(Lines.begin() + At, TIniLine{std::move(Text), Eol});
    }

    std::string Content() const {
        std::string s;
        for (const auto& l : Lines) s += l.Text + l.Eol;
        return s;
    }

    int Count() const { return static_cast<int>(Lines.size()); }

private:
    static std::string ReadWhole(const std::string& Path) {
        std::string bytes;
        // Only a plain file is read: opening a FIFO waits for a writer for
        // ever, and a device may never end. Without waiting on the open, the
        // kind is checked again on what was opened.
        struct stat st {};
        if (stat(Path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) RefuseNotRegular(Path);
        const int fd = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return bytes;
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            close(fd);
            RefuseNotRegular(Path);
        }
        char buf[16384];
        for (;;) {
            const ssize_t n = read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            bytes.append(buf, static_cast<std::size_t>(n));
        }
        close(fd);
        return bytes;
    }
};

std::atomic<unsigned> tempCounter{0};

// Writes Content to a new file beside Path and moves it over Path.
bool ReplaceFile(const std::string& Path, const std::string& Content) {
    // Writing through a symbolic link keeps the link.
    std::string target = Path;
    char resolved[PATH_MAX];
    struct stat lst {};
    if (lstat(Path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode) && realpath(Path.c_str(), resolved)) target = resolved;

    const std::string temp = target + ".~" + IntToStr(getpid()) + "." + IntToStr(tempCounter++);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) (void)fchmod(fd, st.st_mode & 07777);
    bool ok = FileWrite(fd, Content.data(), static_cast<int>(Content.size())) == static_cast<int>(Content.size());
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

std::string CutAtLineBreak(const std::string& Value) {
    const auto brk = Value.find_first_of("\r\n");
    return brk == std::string::npos ? Value : Value.substr(0, brk);
}

} // namespace

std::string WindowsDirectory() {
    if (const char* dir = std::getenv("TRX_WINDOWS_DIR"); dir && *dir) return ExcludeTrailingPathDelimiter(dir);
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return IncludeTrailingPathDelimiter(xdg) + "tabrix";
    const char* home = std::getenv("HOME");
    return IncludeTrailingPathDelimiter(home && *home ? home : "/tmp") + ".config/tabrix";
}

TIniFile::TIniFile(const std::string& FileName) : fileName_(FileName) {
    bareName_ = FileName.find(PathDelim) == std::string::npos;
    fullPath_ = bareName_ ? IncludeTrailingPathDelimiter(WindowsDirectory()) + FileName : FileName;
}

namespace {

TIniDoc LoadDoc(const std::string& Path) {
    TIniDoc doc;
    doc.Load(Path);
    return doc;
}

void SaveDoc(const TIniDoc& Doc, const std::string& Path, const std::string& Name, bool BareName) {
    bool ok = true;
    try {
        if (BareName) ok = ForceDirectories(ExtractFileDir(Path));
    } catch (const EInOutError&) {
        ok = false;
    }
    if (!ok || !ReplaceFile(Path, Doc.Content())) throw EIniFileException("Unable to write to " + Name);
}

} // namespace

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
    const TIniDoc doc = LoadDoc(fullPath_);
    const int key = doc.FindKey(doc.FindSection(Section), Ident);
    return key < 0 ? Default : Parse(doc.Lines[key].Text).Value;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
    std::string s = ReadString(Section, Ident, std::string());
    TRX_GCC_BOGUS_RESTRICT_BEGIN
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
    TRX_GCC_BOGUS_RESTRICT_END
    return StrToIntDef(s, Default);
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
    TIniDoc doc = LoadDoc(fullPath_);
    const std::string value = CutAtLineBreak(Value);
    const int header = doc.FindSection(Section);
    if (header < 0) {
        if (doc.Count() > 0 && !TrimBlanks(doc.Lines.back().Text).empty()) doc.Insert(doc.Count(), std::string());
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        doc.Insert(doc.Count(), "[" + TrimBlanks(Section) + "]");
        TRX_GCC_BOGUS_RESTRICT_END
        doc.Insert(doc.Count(), TrimBlanks(Ident) + "=" + value);
    } else if (const int key = doc.FindKey(header, Ident); key >= 0) {
        const std::string text = Parse(doc.Lines[key].Text).Name + "=" + value;
        if (text == doc.Lines[key].Text) return;
        doc.Lines[key].Text = text;
    } else {
        int last = header;
        const int end = doc.SectionEnd(header);
        for (int i = header + 1; i < end; ++i)
            if (!TrimBlanks(doc.Lines[i].Text).empty()) last = i;
        doc.Insert(last + 1, TrimBlanks(Ident) + "=" + value);
    }
    SaveDoc(doc, fullPath_, fileName_, bareName_);
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

namespace {

// Calls Each(header, parsed line) for every key line of the first section
// named Section.
template <class F>
void ForEachKey(const TIniDoc& Doc, const std::string& Section, F Each) {
    const int header = Doc.FindSection(Section);
    if (header < 0) return;
    for (int i = header + 1; i < Doc.Count(); ++i) {
        TParsedLine p = Parse(Doc.Lines[i].Text);
        if (p.Kind == TLineKind::lkSection) break;
        if (p.Kind == TLineKind::lkKey) Each(header, p);
    }
}

// Names compared as the file compares them: without regard to the case of
// ASCII letters.
struct TNameHash {
    std::size_t operator()(std::string_view Name) const {
        std::size_t h = 14695981039346656037ull;
        for (const char c : Name) h = (h ^ static_cast<unsigned char>(UpCase(c))) * 1099511628211ull;
        return h;
    }
};
struct TSameName {
    bool operator()(std::string_view A, std::string_view B) const { return SameText(A, B); }
};

} // namespace

void TIniFile::ReadSection(const std::string& Section, TStrings& Strings) const {
    const TIniDoc doc = LoadDoc(fullPath_);
    Strings.BeginUpdate();
    Strings.Clear();
    ForEachKey(doc, Section, [&](int, const TParsedLine& p) { Strings.Add(p.Name); });
    Strings.EndUpdate();
}

void TIniFile::ReadSections(TStrings& Strings) const {
    const TIniDoc doc = LoadDoc(fullPath_);
    Strings.BeginUpdate();
    Strings.Clear();
    for (const auto& line : doc.Lines) {
        const TParsedLine p = Parse(line.Text);
        if (p.Kind == TLineKind::lkSection) Strings.Add(p.Name);
    }
    Strings.EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings& Strings) const {
    const TIniDoc doc = LoadDoc(fullPath_);
    Strings.BeginUpdate();
    Strings.Clear();
    std::vector<TParsedLine> keys;
    ForEachKey(doc, Section, [&](int, TParsedLine& p) { keys.push_back(std::move(p)); });
    // A repeated key reads as its first occurrence, as a look-up would. The
    // first occurrences are found by name in one pass, so that a large
    // section is not searched again for every key.
    std::unordered_map<std::string_view, std::size_t, TNameHash, TSameName> first;
    first.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::size_t f = first.try_emplace(keys[i].Name, i).first->second;
        Strings.Add(keys[i].Name + "=" + keys[f].Value);
    }
    Strings.EndUpdate();
}

bool TIniFile::SectionExists(const std::string& Section) const {
    TStringList keys;
    ReadSection(Section, keys);
    return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
    const TIniDoc doc = LoadDoc(fullPath_);
    return doc.FindKey(doc.FindSection(Section), Ident) >= 0;
}

void TIniFile::EraseSection(const std::string& Section) {
    TIniDoc doc = LoadDoc(fullPath_);
    bool changed = false;
    for (int header = doc.FindSection(Section); header >= 0; header = doc.FindSection(Section, header)) {
        doc.Lines.erase(doc.Lines.begin() + header, doc.Lines.begin() + doc.SectionEnd(header));
        changed = true;
    }
    if (changed) SaveDoc(doc, fullPath_, fileName_, bareName_);
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
    TIniDoc doc = LoadDoc(fullPath_);
    const int key = doc.FindKey(doc.FindSection(Section), Ident);
    if (key < 0) return;
    doc.Lines.erase(doc.Lines.begin() + key);
    SaveDoc(doc, fullPath_, fileName_, bareName_);
}

} // namespace trx
