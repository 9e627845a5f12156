// Reading and writing the settings file line by line: section headers,
// finding a section, copying the file around a section, the key lines and
// the memo blocks of a section body.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/shared_routines.h"
#include "framework/core/file_utils.h"
#include "storage/file_mgr.h"
#include "storage/section_lines.h"

namespace trx {

namespace {

char UpAscii(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C; }

// SameText with the lengths compared first: most lines of a large file are
// told apart by their length or their first characters, without a
// character-by-character comparison.
// Eight bytes at a time while they are the same: headers of one file share
// long beginnings.
bool EqualText(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) return false;
    std::size_t i = 0;
    for (; i + 8 <= A.size(); i += 8) {
        uint64_t a, b;
        std::memcpy(&a, A.data() + i, 8);
        std::memcpy(&b, B.data() + i, 8);
        if (a == b) continue;
        for (std::size_t j = i; j < i + 8; ++j)
            if (A[j] != B[j] && UpAscii(A[j]) != UpAscii(B[j])) return false;
    }
    for (; i < A.size(); ++i)
        if (A[i] != B[i] && UpAscii(A[i]) != UpAscii(B[i])) return false;
    return true;
}

// The line as Trim cuts it, without a copy.
std::string_view TrimmedView(std::string_view S) {
    std::size_t first = 0, last = S.size();
    while (first < last && static_cast<unsigned char>(S[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(S[last - 1]) <= ' ') --last;
    return S.substr(first, last - first);
}

// A section header, trimmed, equal to Name; never an empty Name.
bool IsHeaderNamed(std::string_view Header, const std::string& Name) {
    return !Name.empty() && EqualText(Header, Name);
}

} // namespace

// ---- Line rules -------------------------------------------------------------

void SplitSettingsLine(std::string_view Line, std::string& Key, std::string& Value) {
    const std::size_t eq = Line.find('=');
    if (eq == std::string_view::npos) {
        Key.assign(Line);
        Value.clear();
    } else {
        Key.assign(Line.substr(0, eq));
        Value.assign(Line.substr(eq + 1));
    }
}

bool IsMemoStartKey(std::string_view Key, std::string_view Value) {
    return EqualText(Value, "Start") && Key.size() >= 5 && EqualText(Key.substr(0, 5), "Memo,") &&
           Key.find(',', 5) == std::string_view::npos;
}

namespace {

// The key of a memo START line; empty for any other line.
std::string_view MemoStartKey(std::string_view Line) {
    // Most lines are settled by their first characters.
    if (Line.size() < 11 || (Line[0] != 'M' && Line[0] != 'm')) return {};
    const std::size_t eq = Line.find('=');
    if (eq == std::string_view::npos || !IsMemoStartKey(Line.substr(0, eq), Line.substr(eq + 1))) return {};
    return Line.substr(0, eq);
}

} // namespace

bool IsMemoStartLine(std::string_view Line, std::string& Key) {
    const std::string_view key = MemoStartKey(Line);
    if (key.empty()) return false;
    Key.assign(key);
    return true;
}

void AssignMemoEndMarker(std::string& Marker, std::string_view Key) {
    // Lines are compared without their CRs, so the marker has none either.
    // The key's second comma-separated field names the memo.
    std::string_view name;
    if (const std::size_t comma = Key.find(','); comma != std::string_view::npos) {
        name = Key.substr(comma + 1);
        name = name.substr(0, name.find(','));
    }
    Marker.assign("Memo,");
    if (name.find(CR) == std::string_view::npos) {
        Marker.append(name.substr(0, 30));
    } else {
        for (char c : name)
            if (c != CR) Marker += c;
    }
    Marker.append("=END");
    if (Marker.size() > 30) Marker.resize(30);
}

std::string MemoEndMarker(std::string_view Key) {
    std::string marker;
    AssignMemoEndMarker(marker, Key);
    return marker;
}

bool IsMemoEndLine(std::string_view Line, std::string_view Marker) {
    // CRs do not count, so only a line shorter than the marker, or one that
    // begins with another character than the marker, is settled at once.
    if (Line.size() < Marker.size()) return false;
    if (!Line.empty() && !Marker.empty() && Line[0] != CR && UpAscii(Line[0]) != UpAscii(Marker[0])) return false;
    if (Line.find(CR) == std::string_view::npos) return EqualText(Line.substr(0, 30), Marker);
    char head[30];
    std::size_t n = 0;
    for (char c : Line) {
        if (c == CR) continue;
        if (n >= sizeof head) break;
        head[n++] = c;
    }
    return EqualText(std::string_view(head, n), Marker);
}

TSettingsLineKind TSectionScanner::Feed(std::string_view Line) {
    if (inBlock_) {
        if (IsMemoEndLine(Line, marker_)) {
            inBlock_ = false;
            return TSettingsLineKind::slMemoEnd;
        }
        return TSettingsLineKind::slMemoText;
    }
    if (IsSectionHeaderLine(Line)) return TSettingsLineKind::slHeader;
    if (const std::string_view key = MemoStartKey(Line); !key.empty()) {
        inBlock_ = true;
        AssignMemoEndMarker(marker_, key);
        return TSettingsLineKind::slMemoStart;
    }
    return TSettingsLineKind::slBody;
}

// ---- The file's text ----------------------------------------------------------

void TSettingsText::Assign(std::string_view Bytes) {
    size_ = 0;
    pos_ = 0;
    handle_ = -1;
    Reserve(Bytes.size());
    if (!Bytes.empty()) std::memcpy(buf_.get(), Bytes.data(), Bytes.size());
    size_ = Bytes.size();
}

void TSettingsText::Clear() {
    buf_.reset();
    size_ = capacity_ = pos_ = 0;
    handle_ = -1;
}

void TSettingsText::Open(TTextFile& F) {
    Clear();
    const int handle = F.Handle();
    const int64_t end = handle < 0 ? -1 : FileSeek(handle, 0, 2);
    if (end < 0 || FileSeek(handle, 0, 0) != 0) InOutCheck(ioFileNotOpen);
    handle_ = handle;
    // Room for the whole file and the read that finds its end; memory that
    // is never read into is never touched.
    Reserve(static_cast<std::size_t>(end) + 1);
}

void TSettingsText::Reserve(std::size_t Capacity) {
    if (Capacity <= capacity_) return;
    auto bigger = std::make_unique_for_overwrite<char[]>(Capacity);
    if (size_ > 0) std::memcpy(bigger.get(), buf_.get(), size_);
    buf_ = std::move(bigger);
    capacity_ = Capacity;
}

bool TSettingsText::ReadMore() {
    if (handle_ < 0) return false;
    constexpr std::size_t Part = 64 * 1024;
    if (size_ == capacity_) Reserve(std::max(2 * capacity_, Part));
    const std::size_t want = std::min(Part, capacity_ - size_);
    const int n = FileRead(handle_, buf_.get() + size_, static_cast<int>(want));
    if (n > 0) {
        size_ += static_cast<std::size_t>(n);
        return true;
    }
    handle_ = -1;
    if (n < 0) InOutCheck(ioDiskRead);
    return false;
}

std::string_view TSettingsText::ReadLastOrLongLine() {
    const std::size_t start = pos_;
    std::size_t from = pos_;
    const void* lf = nullptr;
    for (;;) {
        if (from < size_ && (lf = std::memchr(buf_.get() + from, LF, size_ - from))) break;
        from = size_;
        if (!ReadMore()) break;
    }
    pos_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - buf_.get()) + 1 : size_;
    return Span(start, pos_);
}

std::string SingleLineValue(const std::string& Value) {
    if (Value.find(LF) == std::string::npos) return Value;
    std::string r;
    r.reserve(Value.size());
    for (char c : Value) {
        if (c == LF) {
            if (!r.empty() && r.back() == CR) r.pop_back();
            r += ' ';
        } else {
            r += c;
        }
    }
    return r;
}

std::string GuardMemoText(const std::string& Text, const std::string& Marker) {
    std::string r;
    r.reserve(Text.size() + 4);
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = Text.find(LF, start);
        const std::size_t end = lf == std::string::npos ? Text.size() : lf;
        std::string line = Text.substr(start, end - start);
        if (IsMemoEndLine(line, Marker))
            line.insert(!line.empty() && line.back() == CR ? line.size() - 1 : line.size(), 1, ' ');
        r += line;
        if (lf == std::string::npos) break;
        r += LF;
        start = lf + 1;
    }
    return r;
}

// ---- Names ------------------------------------------------------------------

std::string TtrxFileMgr::GetSectionName(const std::string& User, const std::string& Id) {
    if (Id.empty()) return {};
    return SingleLineValue(User.empty() ? "[" + Id + "]" : "[" + User + ":" + Id + "]");
}

std::string TtrxFileMgr::GetRSFileName(const std::string& /*User*/) {
    return (DataDir.empty() ? GetTBXDataDir() : FixFilePath(DataDir, true)) + "RptSet.TXT";
}

void TtrxFileMgr::CloseTextFile(TTextFile& F) {
    if (F.IsOpen()) F.CloseFile();
    (void)F.IOResult();
}

// ---- Finding and copying ----------------------------------------------------

void TtrxFileMgr::FindSection(const std::string& Name1, bool& Found1, bool& Found2, const std::string& Name2) {
    Found1 = false;
    Found2 = false;
    RSText.Rewind();
    TSectionScanner scanner;
    while (!RSText.Eof()) {
        const std::string_view line = RSText.ReadLn();
        if (scanner.Feed(line) != TSettingsLineKind::slHeader) continue;
        const std::string_view header = TrimmedView(line);
        if (IsHeaderNamed(header, Name1)) {
            Found1 = true;
            return;
        }
        if (IsHeaderNamed(header, Name2)) {
            Found2 = true;
            return;
        }
    }
}

void TtrxFileMgr::CopyPartialFile(bool FromStart, const std::string& StopAt, const std::string& Skip1,
                                  const std::string& Skip2, bool KeepBody) {
    if (FromStart) RSText.Rewind();
    // Positions between calls are at the start or right after a header, so
    // never inside a memo block.
    TSectionScanner scanner;
    bool copying = KeepBody;
    // The lines copied go out in runs, each as one write: a run ends where
    // a header stops the copying.
    std::size_t runStart = RSText.Pos();
    auto endRun = [&](std::size_t End) {
        if (copying && End > runStart) TmpFile.Write(RSText.Span(runStart, End));
    };
    while (!RSText.Eof()) {
        const std::size_t lineStart = RSText.Pos();
        const std::string_view line = RSText.ReadLn();
        if (scanner.Feed(line) != TSettingsLineKind::slHeader) continue;
        const std::string_view header = TrimmedView(line);
        if (IsHeaderNamed(header, StopAt)) {
            endRun(lineStart);
            return;
        }
        const bool copyThis = !(IsHeaderNamed(header, Skip1) || IsHeaderNamed(header, Skip2));
        if (copyThis != copying) {
            endRun(lineStart);
            runStart = lineStart;
            copying = copyThis;
        }
    }
    endRun(RSText.Pos());
    InOutCheck(TmpFile.IOResult());
}

// ---- Reading a section body -------------------------------------------------

void TtrxFileMgr::AssignStrLineToReportSettings(std::string_view Line) {
    std::string key, value;
    SplitSettingsLine(Line, key, value);
    if (IsMemoStartKey(key, value)) {
        ReadMemoBuf(key);
        return;
    }
    if (key.empty() || !RSFList) return;
    const int i = RSFList->IndexOf(key);
    if (i < 0) return;
    AssignStrFldToReportSettings(*RSFList->Data(i), value);
}

void TtrxFileMgr::ReadMemoBuf(const std::string& Key) {
    const std::string marker = MemoEndMarker(Key);
    // The text is every byte up to the line break before the END line; the
    // END line is found by its characters other than CR.
    std::string text, line;
    bool ended = false;
    while (!RSText.Eof()) {
        const char c = RSText.Read();
        if (c == LF) {
            if (EqualText(line, marker)) {
                ended = true;
                break;
            }
            line.clear();
        } else if (c != CR && line.size() < 30) {
            line += c;
        }
        text += c;
    }
    // An END line that is the file's last line, without a line break.
    if (!ended && !text.empty() && EqualText(line, marker)) ended = true;
    if (ended) {
        // Drop the END line, the LF before it and the CR before that LF.
        const std::size_t lf = text.rfind(LF);
        if (lf == std::string::npos) {
            text.clear();
        } else {
            text.resize(lf);
            if (!text.empty() && text.back() == CR) text.pop_back();
        }
    }
    if (!ReportSettings) return;
    TRptMemo* m = ReportSettings->RptMemos[Ord(CnvtStrToRptMemoNdx(ParseStr(Key, 2, ",", "")))].get();
    if (!m) return;
    if (text.empty())
        m->FreeMemoBuf();
    else
        m->SetText(text);
}

// ---- Writing a section body -------------------------------------------------

void TtrxFileMgr::WriteReportSettings(TTextFile& F) {
    if (!ReportSettings) return;
    InitRSFList();
    UpdateEntireRSFList();
    for (int i = 0; i < RSFList->Count(); ++i) {
        const TrsfData* d = RSFList->Data(i);
        if (d->Value != d->DefaultValue) F.WriteLn(RSFList->Get(i) + "=" + SingleLineValue(d->Value));
    }
    for (int i = Ord(TRptMemoNdx::rmRptTi); i <= Ord(TRptMemoNdx::rmRptFtr); ++i) {
        const TRptMemo* m = ReportSettings->RptMemos[static_cast<std::size_t>(i)].get();
        if (!m || m->BufLen <= 1) continue;
        const std::string text = m->Text(); // up to its NUL
        if (text.empty()) continue;
        const std::string name = std::string("Memo,") + RptMemoNames[i];
        F.WriteLn(name + "=START");
        F.Write(GuardMemoText(text, MemoEndMarker(name)));
        F.WriteLn();
        F.WriteLn(name + "=END");
    }
    InOutCheck(F.IOResult());
}

} // namespace trx
