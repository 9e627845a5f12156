// Reading and writing the settings file line by line: section headers,
// finding a section, copying the file around a section, the key lines and
// the memo blocks of a section body.
#include <algorithm>

#include "engine/shared_routines.h"
#include "framework/core/file_utils.h"
#include "storage/file_mgr.h"
#include "storage/section_lines.h"

namespace trx {

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
    return Key.size() >= 5 && SameText(Key.substr(0, 5), "Memo,") && Key.find(',', 5) == std::string_view::npos &&
           SameText(Value, "Start");
}

bool IsMemoStartLine(std::string_view Line, std::string& Key) {
    // Most lines are settled by their first characters.
    if (Line.size() < 11 || (Line[0] != 'M' && Line[0] != 'm') || !SameText(Line.substr(0, 5), "Memo,")) return false;
    std::string value;
    SplitSettingsLine(Line, Key, value);
    return IsMemoStartKey(Key, value);
}

std::string MemoEndMarker(std::string_view Key) {
    // Lines are compared without their CRs, so the marker has none either.
    // The key's second comma-separated field names the memo.
    std::string_view name;
    if (const std::size_t comma = Key.find(','); comma != std::string_view::npos) {
        name = Key.substr(comma + 1);
        name = name.substr(0, name.find(','));
    }
    std::string marker = "Memo," + std::string(name) + "=END";
    marker.erase(std::remove(marker.begin(), marker.end(), CR), marker.end());
    return Copy(marker, 1, 30);
}

bool IsMemoEndLine(std::string_view Line, std::string_view Marker) {
    char head[30];
    std::size_t n = 0;
    for (char c : Line) {
        if (c == CR) continue;
        if (n >= sizeof head) break;
        head[n++] = c;
    }
    return n == Marker.size() && SameText(std::string_view(head, n), Marker);
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
    std::string key;
    if (IsMemoStartLine(Line, key)) {
        inBlock_ = true;
        marker_ = MemoEndMarker(key);
        return TSettingsLineKind::slMemoStart;
    }
    return TSettingsLineKind::slBody;
}

// ---- The file's text ----------------------------------------------------------

void TSettingsText::Load(TTextFile& F) {
    bytes_.clear();
    pos_ = 0;
    const int handle = F.Handle();
    if (handle < 0 || FileSeek(handle, 0, 0) != 0) InOutCheck(ioFileNotOpen);
    char buf[64 * 1024];
    for (;;) {
        const int n = FileRead(handle, buf, static_cast<int>(sizeof buf));
        if (n < 0) InOutCheck(ioDiskRead);
        if (n <= 0) break;
        bytes_.append(buf, static_cast<std::size_t>(n));
    }
}

std::string_view TSettingsText::ReadRawLine() {
    const std::size_t start = pos_;
    const std::size_t lf = bytes_.find(LF, pos_);
    pos_ = lf == std::string::npos ? bytes_.size() : lf + 1;
    return std::string_view(bytes_).substr(start, pos_ - start);
}

std::string_view TSettingsText::ReadLn() { return LineOfRaw(ReadRawLine()); }

std::string_view LineOfRaw(std::string_view Raw) {
    std::size_t n = Raw.size();
    if (n > 0 && Raw[n - 1] == LF) {
        --n;
        if (n > 0 && Raw[n - 1] == CR) --n;
    }
    return Raw.substr(0, n);
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
        const std::string header = Trim(line);
        if (!Name1.empty() && SameText(header, Name1)) {
            Found1 = true;
            return;
        }
        if (!Name2.empty() && SameText(header, Name2)) {
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
    while (!RSText.Eof()) {
        const std::string_view raw = RSText.ReadRawLine();
        const std::string_view line = LineOfRaw(raw);
        if (scanner.Feed(line) == TSettingsLineKind::slHeader) {
            const std::string header = Trim(line);
            if (!StopAt.empty() && SameText(header, StopAt)) return;
            copying = !((!Skip1.empty() && SameText(header, Skip1)) || (!Skip2.empty() && SameText(header, Skip2)));
        }
        if (copying) TmpFile.Write(raw);
    }
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
            if (SameText(line, marker)) {
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
    if (!ended && !text.empty() && SameText(line, marker)) ended = true;
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
