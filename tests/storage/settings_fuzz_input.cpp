#include "settings_fuzz_input.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include <unistd.h>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/rpt_styles.h"
#include "framework/core/clock.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_utils.h"
#include "storage/file_mgr.h"
#include "storage/section_lines.h"

namespace trx::test {
namespace {

constexpr std::size_t MaxInput = 64 * 1024;

// One directory per process, removed when it ends.
const std::string& WorkDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/trx-fuzz-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        static const std::string keep = tmpl;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(keep, ec);
        });
        return tmpl;
    }();
    return dir;
}

void WriteFile(const std::string& Name, const std::string& Bytes) {
    TTextFile f(Name);
    f.Rewrite();
    f.Write(Bytes);
    f.CloseFile();
    (void)f.IOResult();
}

std::string ReadFile(const std::string& Name) {
    std::string r;
    TTextFile f(Name);
    f.Reset();
    char c;
    while (!f.Eof()) {
        f.Read(c);
        r += c;
    }
    f.CloseFile();
    (void)f.IOResult();
    return r;
}

// The run's objects the storage reads, in place for one input.
struct TRunObjects {
    TRunObjects() : prevStyles(RptStyles), prevSettings(ReportSettings), prevObjInfo(ObjInfo) {
        RptStyles = &styles;
        ReportSettings = nullptr;
        ObjInfo = nullptr;
    }
    ~TRunObjects() {
        RptStyles = prevStyles;
        ReportSettings = prevSettings;
        ObjInfo = prevObjInfo;
    }
    TRptStyles styles;
    TtrxReportSettings rs;
    TRptStyles* prevStyles;
    TtrxReportSettings* prevSettings;
    TObjInfo* prevObjInfo;
};

struct TName {
    std::string User, Id, Header;
};

// The section headers of the file that the names of a report can produce.
std::vector<TName> SectionNames(const std::string& Bytes) {
    std::vector<TName> names;
    TSectionScanner scanner;
    std::size_t start = 0;
    while (start < Bytes.size() && names.size() < 8) {
        std::size_t lf = Bytes.find('\n', start);
        if (lf == std::string::npos) lf = Bytes.size();
        std::string line = Bytes.substr(start, lf - start);
        start = lf + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (scanner.Feed(line) != TSettingsLineKind::slHeader) continue;
        const std::string header = Trim(line);
        if (header.size() < 3 || header.back() != ']') continue;
        const std::string inner = header.substr(1, header.size() - 2);
        const std::size_t colon = inner.find(':');
        TName n;
        n.User = colon == std::string::npos ? "" : inner.substr(0, colon);
        n.Id = colon == std::string::npos ? inner : inner.substr(colon + 1);
        if (n.User.size() > 8 || n.Id.empty() || n.Id.size() > 30) continue;
        n.Header = TtrxFileMgr::GetSectionName(n.User, n.Id);
        if (!SameText(n.Header, header)) continue;
        bool seen = false;
        for (const TName& o : names) seen = seen || SameText(o.Header, n.Header);
        if (!seen) names.push_back(n);
    }
    return names;
}

class TFuzzRun {
public:
    TFuzzRun() {
        mgr.DataDir = WorkDir();
        mgr.ReportSettings = &objs.rs;
    }

    // Every value a load gives the record, memo texts included; memos are
    // emptied first so that one load does not carry into the next.
    std::vector<std::string> Load(const TName& N) {
        for (auto& m : objs.rs.RptMemos) m->FreeMemoBuf();
        if (!mgr.LoadReportSettings(N.User, N.Id)) throw std::runtime_error("no lock");
        return Values();
    }

    std::vector<std::string> Values() {
        TtrxFileMgr m;
        m.ReportSettings = &objs.rs;
        m.InitRSFList();
        m.UpdateEntireRSFList();
        std::vector<std::string> v;
        for (int i = 0; i < m.RSFList->Count(); ++i) v.push_back(m.RSFList->Get(i) + "=" + m.RSFList->Data(i)->Value);
        for (const auto& memo : objs.rs.RptMemos) v.push_back(memo->Text());
        return v;
    }

    TRunObjects objs;
    TtrxFileMgr mgr;
};

std::string CheckMemoReader(const std::string& Input) {
    TRunObjects objs;
    TtrxFileMgr mgr;
    mgr.ReportSettings = &objs.rs;
    // The input as a block body, read as the memo reader reads it.
    mgr.RSText.Assign(Input);
    mgr.ReadMemoBuf("Memo,PgTi");
    const std::string text = objs.rs.Memo(TRptMemoNdx::rmPgTi).Text();
    const std::string guarded = GuardMemoText(text, MemoEndMarker("Memo,PgTi"));
    if (GuardMemoText(guarded, MemoEndMarker("Memo,PgTi")) != guarded) return "memo guard is not stable";
    // Written as a block and read again.
    mgr.RSText.Assign(guarded + "\r\nMemo,PgTi=END\r\nPanelsAcrossPage=3\r\n");
    mgr.ReadMemoBuf("Memo,PgTi");
    const std::string rest(mgr.RSText.ReadLn());
    if (objs.rs.Memo(TRptMemoNdx::rmPgTi).Text() != guarded) return "memo block does not read back";
    if (rest != "PanelsAcrossPage=3") return "memo block runs on";
    return {};
}

} // namespace

std::string SettingsFileFuzzOne(const uint8_t* Data, std::size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size < MaxInput ? Size : MaxInput);
    TFakeClock clock;
    TClockOverride useClock(clock);
    try {
        if (std::string why = CheckMemoReader(input); !why.empty()) return why;

        TFuzzRun run;
        const std::string settings = WorkDir() + "/RptSet.TXT";
        WriteFile(settings, input);
        const std::vector<TName> names = SectionNames(input);
        std::map<std::string, std::vector<std::string>> before;
        for (const TName& n : names) before[UpperCase(n.Header)] = run.Load(n);

        // Every other section loads as before.
        auto others = [&](const std::string& Except, const char* After) -> std::string {
            for (const TName& n : names) {
                if (SameText(n.Header, Except)) continue;
                if (run.Load(n) != before[UpperCase(n.Header)])
                    return std::string("section changed by ") + After + ": " + n.Header;
            }
            return {};
        };

        const TName* target = nullptr;
        for (const TName& n : names) {
            TtrxReportId id = n.Id;
            if (TtrxFileMgr::ValidateReportIdSyntax(id, false)) {
                target = &n;
                break;
            }
        }
        if (!target) return {};

        run.Load(*target);
        TtrxUserName user = target->User;
        TtrxReportId id = target->Id;
        if (!run.mgr.SaveReportSettings(user, id, true) || user.str() != target->User || id.str() != target->Id)
            return "save did not keep the names";
        if (std::string why = others(target->Header, "a save"); !why.empty()) return why;
        // A save may settle what it loaded (a page-number memo saved without
        // text loads its default text); from the second save on, saving what
        // was loaded changes nothing.
        run.Load(*target);
        if (!run.mgr.SaveReportSettings(user, id, true)) return "second save failed";
        const std::vector<std::string> saved = run.Load(*target);
        const std::string twice = ReadFile(settings);
        if (!run.mgr.SaveReportSettings(user, id, true)) return "third save failed";
        if (ReadFile(settings) != twice) return "saving what was loaded changed the file";
        if (run.Load(*target) != saved) return "saved section does not load back";

        // A rename to names that no section has carries the body.
        TName renamed{"FZ", "", ""};
        for (int i = 1; renamed.Header.empty() || before.count(UpperCase(renamed.Header)); ++i) {
            renamed.Id =
                "Fuzz (" + std::string(3 - std::to_string(i % 1000).size(), '0') + std::to_string(i % 1000) + ".999)";
            renamed.Header = TtrxFileMgr::GetSectionName(renamed.User, renamed.Id);
        }
        TtrxUserName resUser;
        TtrxReportId resId;
        if (!run.mgr.RenameReportSettings(user, id, renamed.User, renamed.Id, false, resUser, resId) ||
            resUser.str() != renamed.User || resId.str() != renamed.Id)
            return "rename did not complete";
        if (std::string why = others(target->Header, "a rename"); !why.empty()) return why;
        if (run.Load(renamed) != saved) return "renamed section lost its body";

        if (!run.mgr.DeleteReportSettings(renamed.User, renamed.Id)) return "delete did not complete";
        if (std::string why = others(target->Header, "a delete"); !why.empty()) return why;
        if (input.find(renamed.Id) == std::string::npos && ReadFile(settings).find(renamed.Id) != std::string::npos)
            return "deleted section still there";
    } catch (const Exception& e) {
        return "exception: " + e.Message;
    } catch (const std::exception& e) {
        return std::string("exception: ") + e.what();
    }
    return {};
}

} // namespace trx::test
