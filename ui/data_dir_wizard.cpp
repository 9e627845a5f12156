#include "ui/data_dir_wizard.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "engine/data_directory.h"
#include "engine/report_settings.h"
#include "engine/shared_routines.h"
#include "engine/status_messages.h"
#include "framework/core/file_search.h"
#include "framework/core/file_utils.h"
#include "framework/core/ini_file.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/standard_controls.h"
#include "storage/file_operations.h"

namespace trx {

TCur Cur;
TfmTBXDir* fmTBXDir = nullptr;

namespace {

constexpr int PageStart = 0;
constexpr int PageSingleRename = 1;
constexpr int PageMultiNew = 2;
constexpr int PageMultiRename = 3;
constexpr const char* DataDirExt = ".TRX";
// Between an outdated entry's key and its directory in the list of entries.
constexpr const char* EntryArrow = " --> ";
const TMsgDlgButtons OkOnly{TMsgDlgBtn::mbOK};

} // namespace

const TFormDesc& WizardLayout() {
    static const TFormDesc d{
        .Name = "fmTBXDir",
        .Caption = "Creating or Locating the Tabrix! *.TRX Report Options Subdirectory ",
        .ClientWidth = 540,
        .ClientHeight = 372,
        .Props = {{"BorderStyle", "bsDialog"},
                  {"Position", "poScreenCenter"},
                  {"HelpContext", "220"},
                  {"ShowHint", "True"}},
        .Events = {{"OnCreate", "FormCreate"}, {"OnShow", "FormShow"}, {"OnDestroy", "FormDestroy"}},
        .Controls = {
            {.Kind = "TLabel",
             .Name = "lbProjectNameTitle",
             .Left = 8,
             .Top = 8,
             .Caption = "Currently Running <<Pgmtype>>: <<PGMPATH>>",
             .Props = {{"Font.Style", "[fsBold]"}}},
            {.Kind = "TNotebook",
             .Name = "nbWizard",
             .Left = 8,
             .Top = 28,
             .Width = 524,
             .Height = 272,
             .Items = {"StartingPage", "SingleRenameProject", "MultiNewProject", "MultiRenameProject"}},

            // Page 0: what kind of set-up.
            {.Kind = "TGroupBox",
             .Name = "gbFirstTime",
             .Parent = "nbWizard.StartingPage",
             .Left = 8,
             .Top = 4,
             .Width = 508,
             .Height = 112,
             .Caption = "Is this the first time you're using Tabrix! on this program?"},
            {.Kind = "TLabel",
             .Name = "lbRenamedNote",
             .Parent = "gbFirstTime",
             .Left = 16,
             .Top = 20,
             .Caption = "(The program may have been recently renamed or moved.)"},
            {.Kind = "TRadioButton",
             .Name = "rbNewProgram",
             .Parent = "gbFirstTime",
             .Left = 16,
             .Top = 44,
             .Width = 480,
             .Caption = "Yes",
             .Hint = "Creates .TRX directory|Creates a new Tabrix! .TRX directory for this program",
             .Props = {{"Checked", "True"}},
             .Events = {{"OnClick", "rbNewProgramClick"}}},
            {.Kind = "TRadioButton",
             .Name = "rbOldProgram",
             .Parent = "gbFirstTime",
             .Left = 16,
             .Top = 72,
             .Width = 480,
             .Caption = "No. Tabrix! was previously installed in this program,",
             .Hint = "Look for old .TRX directory|The old .TRX directory will be found && renamed to the new "
                     "program name.",
             .Events = {{"OnClick", "rbNewProgramClick"}}},
            {.Kind = "TGroupBox",
             .Name = "gbProgramKind",
             .Parent = "nbWizard.StartingPage",
             .Left = 8,
             .Top = 124,
             .Width = 508,
             .Height = 140,
             .Caption = "This program ...?"},
            {.Kind = "TRadioButton",
             .Name = "rbSingleProgram",
             .Parent = "gbProgramKind",
             .Left = 16,
             .Top = 20,
             .Width = 480,
             .Caption = "... is a &Single Program Application   (DEFAULT)",
             .Hint = "Typical single program application",
             .Props = {{"Checked", "True"}},
             .Events = {{"OnClick", "rbSingleProgramClick"}}},
            {.Kind = "TLabel",
             .Name = "lbSingleNote",
             .Parent = "gbProgramKind",
             .Left = 36,
             .Top = 42,
             .Caption = "(Project file and .exe file are in the same directory)"},
            {.Kind = "TRadioButton",
             .Name = "rbMultiProgram",
             .Parent = "gbProgramKind",
             .Left = 16,
             .Top = 68,
             .Width = 480,
             .Caption = "... needs a Redirection File",
             .Hint = "Shares .TRX directory|1)  Several programs will share same .TRX directory, or 2)  The .EXE "
                     "&& .PRJ files are in different directories.",
             .Events = {{"OnClick", "rbMultiProgramClick"}}},
            {.Kind = "TLabel",
             .Name = "lbMultiNote1",
             .Parent = "gbProgramKind",
             .Left = 36,
             .Top = 90,
             .Caption = "(It is one of several programs sharing the same report options file,"},
            {.Kind = "TLabel",
             .Name = "lbMultiNote2",
             .Parent = "gbProgramKind",
             .Left = 36,
             .Top = 108,
             .Caption = "or the program's project file and .exe files are in different directories)"},

            // Page 1: the old program's directory, moved to the new name.
            {.Kind = "TLabel",
             .Name = "lbSOPRenameTitle",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 8,
             .Top = 8,
             .Caption = "Single-Program <<SFX>> File Was Renamed",
             .Props = {{"Font.Style", "[fsBold]"}}},
            {.Kind = "TLabel",
             .Name = "lbSOPExplain",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 8,
             .Top = 32,
             .Width = 508,
             .Height = 32,
             .Caption = "This window will rename the Old program's  .TRX subdirectory to the New program's  .TRX "
                        "subdirectory.",
             .Props = {{"AutoSize", "False"}, {"WordWrap", "True"}}},
            {.Kind = "TLabel",
             .Name = "lbSOPAsk",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 8,
             .Top = 72,
             .Caption = "What was the name of the OLD program's .TRX subdirectory?",
             .Props = {{"FocusControl", "cmbSOPDataDirectory"}}},
            {.Kind = "TComboBox",
             .Name = "cmbSOPDataDirectory",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 8,
             .Top = 92,
             .Width = 472,
             .Events = {{"OnChange", "cmbSOPDataDirectoryChange"}}},
            {.Kind = "TButton",
             .Name = "buSOPLkup",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 488,
             .Top = 92,
             .Width = 28,
             .Height = 23,
             .Caption = "...",
             .Events = {{"OnClick", "buSOPLkupClick"}}},
            {.Kind = "TLabel",
             .Name = "lbSOPPressFinish",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 8,
             .Top = 140,
             .Caption = "Press FINISH to rename:"},
            {.Kind = "TLabel",
             .Name = "lbSOPOldProjectName",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 40,
             .Top = 160,
             .Props = {{"Font.Style", "[fsBold]"}}},
            {.Kind = "TLabel",
             .Name = "lbSOPTo",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 8,
             .Top = 184,
             .Caption = "To:"},
            {.Kind = "TLabel",
             .Name = "lbSOPNewProjectName",
             .Parent = "nbWizard.SingleRenameProject",
             .Left = 40,
             .Top = 184,
             .Props = {{"Font.Style", "[fsBold]"}}},

            // Page 2: a directory shared with other programs.
            {.Kind = "TLabel",
             .Name = "lbMNPTitle",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 8,
             .Caption = "First Time Using This Program with the Tabrix! Redirection File",
             .Props = {{"Font.Style", "[fsBold]"}}},
            {.Kind = "TLabel",
             .Name = "lbMNPNote",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 28,
             .Caption = "(A Multi-Program application shares the *.TRX directory with other programs.)"},
            {.Kind = "TLabel",
             .Name = "lbMNPWhere",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 52,
             .Caption = "Where do you want to create the new report options .TRX subdirectory for this program?"},
            {.Kind = "TLabel",
             .Name = "lbMNPEnter",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 76,
             .Width = 508,
             .Height = 32,
             .Caption = "Enter the name of a new .TRX sub&directory for this program, or share a subdirectory with "
                        "another program or project by selecting from the pulldown list:",
             .Props = {{"AutoSize", "False"}, {"WordWrap", "True"}, {"FocusControl", "cmbMNPDataDirectory"}}},
            {.Kind = "TComboBox",
             .Name = "cmbMNPDataDirectory",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 112,
             .Width = 472},
            {.Kind = "TButton",
             .Name = "buNMDirectoryLkup",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 488,
             .Top = 112,
             .Width = 28,
             .Height = 23,
             .Caption = "...",
             .Events = {{"OnClick", "buNMDirectoryLkupClick"}}},
            {.Kind = "TLabel",
             .Name = "lbMNPMustEnd",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 140,
             .Caption = "(NOTE: The directory must end in \".TRX\")"},
            {.Kind = "TLabel",
             .Name = "lbMNPPressFinish",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 168,
             .Width = 508,
             .Height = 32,
             .Caption = "Press FINISH to have <<PGMPATH>> point to this subdirectory for its .TRX files",
             .Props = {{"AutoSize", "False"}, {"WordWrap", "True"}}},
            {.Kind = "TLabel",
             .Name = "lbMNFileDriver",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 8,
             .Top = 212,
             .Caption = "&File Driver:",
             .Props = {{"Visible", "False"}, {"FocusControl", "cmbMNFileDriver"}}},
            {.Kind = "TComboBox",
             .Name = "cmbMNFileDriver",
             .Parent = "nbWizard.MultiNewProject",
             .Left = 80,
             .Top = 208,
             .Width = 160,
             .Caption = "Paradox",
             .Items = {"STANDARD: Paradox"},
             .Props = {{"Visible", "False"}}},

            // Page 3: an outdated entry of the redirection file.
            {.Kind = "TLabel",
             .Name = "lbOMPTitle",
             .Parent = "nbWizard.MultiRenameProject",
             .Left = 8,
             .Top = 8,
             .Width = 508,
             .Height = 32,
             .Caption = "An old outdated entry in the Tabrix! Redirection File needs to be updated with the new "
                        "<<pgmtype>> path.",
             .Props = {{"AutoSize", "False"}, {"WordWrap", "True"}, {"Font.Style", "[fsBold]"}}},
            {.Kind = "TLabel",
             .Name = "lbOMPSelect",
             .Parent = "nbWizard.MultiRenameProject",
             .Left = 8,
             .Top = 52,
             .Caption = "Select the old outdated entry used by this <<pgmtype>>",
             .Props = {{"FocusControl", "cmbOMPFileName"}}},
            {.Kind = "TComboBox",
             .Name = "cmbOMPFileName",
             .Parent = "nbWizard.MultiRenameProject",
             .Left = 8,
             .Top = 72,
             .Width = 508,
             .Props = {{"Style", "csDropDownList"}},
             // A pick shows its consequence at once, not only when the
             // focus leaves the list.
             .Events = {{"OnExit", "cmbOMPFileNameExit"}, {"OnChange", "cmbOMPFileNameExit"}}},
            {.Kind = "TLabel",
             .Name = "lbOMPWarning",
             .Parent = "nbWizard.MultiRenameProject",
             .Left = 8,
             .Top = 108,
             .Width = 508,
             .Height = 32,
             .Props = {{"AutoSize", "False"}, {"WordWrap", "True"}, {"Font.Style", "[fsBold]"}}},

            // The button row and the status panel.
            {.Kind = "TButton",
             .Name = "buHelp",
             .Left = 8,
             .Top = 308,
             .Width = 75,
             .Height = 25,
             .Caption = "&Help",
             .Events = {{"OnClick", "buHelpClick"}}},
            {.Kind = "TButton",
             .Name = "buBack",
             .Left = 196,
             .Top = 308,
             .Width = 75,
             .Height = 25,
             .Caption = "<  &Back",
             .Events = {{"OnClick", "buBackClick"}}},
            {.Kind = "TButton",
             .Name = "buNext",
             .Left = 276,
             .Top = 308,
             .Width = 75,
             .Height = 25,
             .Caption = "&Next  >",
             .Events = {{"OnClick", "buNextClick"}}},
            {.Kind = "TButton",
             .Name = "buCancel",
             .Left = 372,
             .Top = 308,
             .Width = 75,
             .Height = 25,
             .Caption = "&Cancel",
             .Events = {{"OnClick", "buCancelClick"}}},
            {.Kind = "TButton",
             .Name = "buFinish",
             .Left = 456,
             .Top = 308,
             .Width = 75,
             .Height = 25,
             .Caption = "&Finish",
             .Events = {{"OnClick", "buFinishClick"}}},
            {.Kind = "TPanel",
             .Name = "paMsg",
             .Height = 24,
             .Props = {{"Align", "alBottom"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}},
        }};
    return d;
}

namespace {

// The class of an event's sender, for the message of a handler called
// by a control it does not serve.
std::string ClassNameOf(const TObject* Sender) {
    if (!Sender) return "nil";
    const char* mangled = typeid(*Sender).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string result = status == 0 && name ? name.get() : mangled;
    if (result.rfind("trx::", 0) == 0) result.erase(0, 5);
    return result;
}

bool HasDataDirExt(const std::string& Dir) {
    return UpperCase(ExtractFileExt(ExcludeTrailingPathDelimiter(Dir))) == DataDirExt;
}

// A directory as typed or chosen: trimmed, absolute, without the trailing delimiter.
std::string DirFromText(const std::string& Text) {
    const std::string dir = FixFilePath(Text, false);
    return dir.empty() ? dir : ExcludeTrailingPathDelimiter(ExpandFileName(dir));
}

// Each occurrence of Placeholder (any letter case) in Caption replaced by
// Value, in the case the occurrence is written in when Recase. One pass from
// left to right: a value that contains the placeholder itself is not filled
// again.
std::string FillPlaceholder(const std::string& Caption, const std::string& Placeholder, const std::string& Value,
                            bool Recase) {
    if (Placeholder.empty()) return Caption;
    const std::string upperCaption = UpperCase(Caption);
    const std::string key = UpperCase(Placeholder);
    std::string filled;
    std::size_t from = 0;
    for (std::size_t at; (at = upperCaption.find(key, from)) != std::string::npos; from = at + key.size())
        filled += Caption.substr(from, at - from) + (Recase ? MatchCase(Value, Caption.substr(at, key.size())) : Value);
    return filled + Caption.substr(from);
}

// Asks the directory picker until the choice ends in ".TRX" or the user gives
// up; Retry is the question after a wrong choice.
bool PickDataDir(std::string& Dir, TSelectDirOpts Options, const std::string& Retry) {
    for (;;) {
        if (!SelectDirectory(Dir, Options, 0)) return false;
        if (HasDataDirExt(Dir)) {
            Dir = ExcludeTrailingPathDelimiter(Dir);
            return true;
        }
        MessageBeep(0);
        if (MessageDlg(Retry, TMsgDlgType::mtWarning, mbOKCancel, 0) != mrOk) return false;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Letter case

std::string LoCase(const std::string& S) { return LowerCase(S); }

std::string MatchCase(const std::string& Value, const std::string& Pattern) {
    int letters[2] = {0, 0}; // 0: none, 1: lower case, 2: upper case
    int found = 0;
    for (const char c : Pattern) {
        if (found == 2) break;
        if (c >= 'A' && c <= 'Z')
            letters[found++] = 2;
        else if (c >= 'a' && c <= 'z')
            letters[found++] = 1;
    }
    auto recase = [](const std::string& S, int Letter) {
        return Letter == 2 ? UpperCase(S) : Letter == 1 ? LoCase(S) : S;
    };
    if (Value.empty()) return Value;
    return recase(Value.substr(0, 1), letters[0]) + recase(Value.substr(1), letters[1]);
}

// ---------------------------------------------------------------------------
// The form

TfmTBXDir::TfmTBXDir(TComponent* AOwner) : TForm(AOwner) {
    BuildForm(*this, WizardLayout(),
              THandlerTable()
                  .Add("FormCreate", this, &TfmTBXDir::FormCreate)
                  .Add("FormShow", this, &TfmTBXDir::FormShow)
                  .Add("FormDestroy", this, &TfmTBXDir::FormDestroy)
                  .Add("rbNewProgramClick", this, &TfmTBXDir::rbNewProgramClick)
                  .Add("rbSingleProgramClick", this, &TfmTBXDir::rbSingleProgramClick)
                  .Add("rbMultiProgramClick", this, &TfmTBXDir::rbMultiProgramClick)
                  .Add("cmbSOPDataDirectoryChange", this, &TfmTBXDir::cmbSOPDataDirectoryChange)
                  .Add("cmbOMPFileNameExit", this, &TfmTBXDir::cmbOMPFileNameExit)
                  .Add("buBackClick", this, &TfmTBXDir::buBackClick)
                  .Add("buNextClick", this, &TfmTBXDir::buNextClick)
                  .Add("buSOPLkupClick", this, &TfmTBXDir::buSOPLkupClick)
                  .Add("buNMDirectoryLkupClick", this, &TfmTBXDir::buNMDirectoryLkupClick)
                  .Add("buFinishClick", this, &TfmTBXDir::buFinishClick)
                  .Add("buCancelClick", this, &TfmTBXDir::buCancelClick)
                  .Add("buHelpClick", this, &TfmTBXDir::buHelpClick));
}

TfmTBXDir::~TfmTBXDir() {
    if (fmTBXDir == this) fmTBXDir = nullptr;
}

void TfmTBXDir::FormCreate(TObject*) {
    OldShowHint = Application()->ShowHint;
    OldOnHint = Application()->OnHint;
    BaseHelpContext = HelpContext;
}

void TfmTBXDir::FormShow(TObject*) {
    Cur.ProgramPath = GetProgramPath(false, "");
    if (RunningFromIDE()) {
        Sfx = ".DPR";
        PgmType = "Project";
    } else {
        Sfx = ExtractFileExt(Cur.ProgramPath);
        PgmType = "Program";
    }
    Application()->OnHint = [this](TObject* Sender) { ShowStatusHint(Sender); };
    nbWizard->SetPageIndex(PageStart);

    FixCaptions("<<PGMTYPE>>", PgmType);
    if (Sfx.empty()) {
        // A program without an extension (as programs here mostly are):
        // the texts read without the gap where the extension would stand.
        FixCaptions("<<SFX>> ", "", false);
        FixCaptions("program's  .TRX", "program's .TRX", false);
    }
    FixCaptions("<<SFX>>", Sfx);
    // A path is shown as it is: on a file system that tells letter cases
    // apart, the path in capitals (or a project's ".dpr" as ".DPR") would
    // name a file that is not there.
    FixCaptions("<<PGMPATH>>", Cur.ProgramPath, false);
    FixCaptions("<<TBXDIRSINI>>", TBXDirsIniName);

    // Every directory of the redirection file can be shared; the entries of
    // programs of this program's kind may be this program's outdated one.
    TStringList lines;
    TIniFile(TBXDirsIniName).ReadSectionValues(TBXDirsSection, lines);
    bool hasEntry = false;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Get(i);
        const std::size_t eq = line.find('=');
        const std::string key = line.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        const std::string directory = value.substr(0, value.find(','));
        cmbMNPDataDirectory->Items().Add(directory);
        if (SameText(key, Cur.ProgramPath)) hasEntry = true;
        if (UpperCase(ExtractFileExt(key)) == UpperCase(Sfx)) cmbOMPFileName->Items().Add(key + EntryArrow + directory);
    }
    if (hasEntry) {
        rbOldProgram->SetChecked(true);
        rbMultiProgram->SetChecked(true);
    } else {
        rbSingleProgram->SetChecked(true);
    }

    // The data directories beside the program may be its old one.
    cmbSOPDataDirectory->Items().Clear();
    cmbSOPDataDirectory->SetText("");
    lbSOPNewProjectName->SetCaption("");
    const std::string programDir = ExtractFilePath(Cur.ProgramPath);
    TSearchRec f;
    for (int rc = FindFirst(programDir + "*" + DataDirExt, faDirectory, f); rc == 0; rc = FindNext(f)) {
        if ((f.Attr & faDirectory) == 0 || f.Name == "." || f.Name == "..") continue;
        cmbSOPDataDirectory->Items().Add(programDir + f.Name);
        if (UpperCase(f.Name) == "PROJECT1.TRX") cmbSOPDataDirectory->SetText(programDir + f.Name);
    }
    FindClose(f);
    SetOptions();
}

void TfmTBXDir::FormDestroy(TObject*) {
    Application()->ShowHint = OldShowHint;
    Application()->OnHint = OldOnHint;
}

void TfmTBXDir::FixCaptions(const std::string& Placeholder, const std::string& Value, bool Recase) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (dynamic_cast<TLabel*>(c) || dynamic_cast<TGroupBox*>(c) || dynamic_cast<TRadioButton*>(c)) {
            auto* control = static_cast<TControl*>(c);
            control->SetCaption(FillPlaceholder(control->Caption(), Placeholder, Value, Recase));
        }
    }
}

void TfmTBXDir::SaveCur() {
    Cur.NewDataDir.clear();
    Cur.OldDataDir.clear();
    Cur.OldProgramPath.clear();
    Cur.FileDriver.clear();
    const std::string programDataDir = Trim(ChangeFileExt(Cur.ProgramPath, DataDirExt));
    switch (Cur.AppType) {
    case TAppType::atSingleNew: Cur.NewDataDir = programDataDir; break;
    case TAppType::atSingleOld:
        Cur.OldDataDir = DirFromText(cmbSOPDataDirectory->Text());
        Cur.NewDataDir = programDataDir;
        break;
    case TAppType::atMultiNew:
        Cur.NewDataDir = DirFromText(cmbMNPDataDirectory->Text());
        Cur.FileDriver = UpperCase(Trim(cmbMNFileDriver->Text()));
        break;
    case TAppType::atMultiOld: {
        const std::string entry = cmbOMPFileName->Text();
        const std::size_t arrow = entry.find(EntryArrow);
        Cur.OldProgramPath = entry.substr(0, arrow);
        if (arrow != std::string::npos) Cur.NewDataDir = entry.substr(arrow + std::string(EntryArrow).size());
        break;
    }
    case TAppType::atUnknown: break;
    }
}

void TfmTBXDir::SetOptions() {
    const bool isNew = rbNewProgram->Checked(), isOld = rbOldProgram->Checked();
    const bool isSingle = rbSingleProgram->Checked(), isMulti = rbMultiProgram->Checked();
    Cur.AppType = isNew && isSingle   ? TAppType::atSingleNew
                  : isNew && isMulti  ? TAppType::atMultiNew
                  : isOld && isSingle ? TAppType::atSingleOld
                  : isOld && isMulti  ? TAppType::atMultiOld
                                      : TAppType::atUnknown;
    if (Cur.AppType == TAppType::atUnknown) nbWizard->SetPageIndex(PageStart);
    const int page = nbWizard->PageIndex();
    HelpContext = BaseHelpContext + page;

    bool finish = Cur.AppType == TAppType::atSingleNew || page != PageStart;
    buBack->SetEnabled(page != PageStart);
    buNext->SetEnabled(!finish && Cur.AppType != TAppType::atUnknown);

    SaveCur();
    lbSOPNewProjectName->SetCaption(Cur.NewDataDir);
    lbSOPOldProjectName->SetCaption(Cur.OldDataDir);

    if (Cur.AppType == TAppType::atMultiOld) {
        if (cmbOMPFileName->Text().empty()) {
            finish = false;
            lbOMPWarning->SetCaption("");
        } else if (DirectoryExists(Cur.NewDataDir)) {
            lbOMPWarning->SetCaption("Press FINISH to correct this entry in the Redirection file.");
        } else {
            finish = false;
            lbOMPWarning->SetCaption("WARNING: The directory " + Cur.NewDataDir + " does not exist");
        }
    }
    buFinish->SetEnabled(finish);
}

void TfmTBXDir::rbNewProgramClick(TObject*) { SetOptions(); }
void TfmTBXDir::rbSingleProgramClick(TObject*) { SetOptions(); }
void TfmTBXDir::rbMultiProgramClick(TObject*) { SetOptions(); }
void TfmTBXDir::cmbSOPDataDirectoryChange(TObject*) { SetOptions(); }
void TfmTBXDir::cmbOMPFileNameExit(TObject*) { SetOptions(); }

void TfmTBXDir::buBackClick(TObject*) {
    nbWizard->SetPageIndex(PageStart);
    SetOptions();
}

void TfmTBXDir::buNextClick(TObject*) {
    if (nbWizard->PageIndex() == PageStart) {
        TWinControl* field = nullptr;
        switch (Cur.AppType) {
        case TAppType::atSingleOld:
            nbWizard->SetPageIndex(PageSingleRename);
            field = cmbSOPDataDirectory;
            break;
        case TAppType::atMultiNew:
            nbWizard->SetPageIndex(PageMultiNew);
            field = cmbMNPDataDirectory;
            break;
        case TAppType::atMultiOld:
            nbWizard->SetPageIndex(PageMultiRename);
            field = cmbOMPFileName;
            break;
        default: break;
        }
        if (field && field->CanFocus()) field->SetFocus();
    }
    SetOptions();
}

void TfmTBXDir::buSOPLkupClick(TObject*) {
    std::string dir = cmbSOPDataDirectory->Text();
    if (dir.empty()) dir = ExtractFilePath(Cur.ProgramPath);
    MessageDlg(
        "In the directory window that is about to appear,\rselect the .TRX subdirectory that was used by the "
        "old " +
            PgmType + " name",
        TMsgDlgType::mtInformation, OkOnly, 0);
    if (!PickDataDir(dir, {},
                     "Subdirectory must end in \".TRX\". - Please Try Again -\r\rRemember to select the .TRX "
                     "subdirectory that was used by the OLD " +
                         PgmType + " program name"))
        return;
    cmbSOPDataDirectory->SetText(dir);
    lbSOPNewProjectName->SetCaption(Trim(ChangeFileExt(Cur.ProgramPath, DataDirExt)));
    SetOptions();
}

void TfmTBXDir::buNMDirectoryLkupClick(TObject* Sender) {
    if (Sender != buNMDirectoryLkup)
        throw Exception("[fmTBXDir] buNMDirectoryLkup.OnClick called by unknown object:" + ClassNameOf(Sender));
    std::string dir = cmbMNPDataDirectory->Text();
    if (!DirectoryExists(dir)) dir.clear();
    MessageDlg("Remember, the subdirectory you choose (or create) must end in \".TRX\".", TMsgDlgType::mtInformation,
               OkOnly, 0);
    if (PickDataDir(dir, {TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPerformCreate, TSelectDirOpt::sdPrompt},
                    "Subdirectory must end in \".TRX\". - Try Again -"))
        cmbMNPDataDirectory->SetText(dir);
    SetOptions();
}

bool TfmTBXDir::MoveOldDataDir() {
    const std::string& from = Cur.OldDataDir;
    const std::string& to = Cur.NewDataDir;
    if (!DirectoryExists(from)) {
        MessageDlg("Subdirectory \"" + from + "\" does NOT EXIST", TMsgDlgType::mtWarning, OkOnly, 0);
        return false;
    }
    // Subdirectories go along: the old directory is to be gone afterwards,
    // and nothing of it may stay behind unseen. A move that fails leaves
    // both directories as they were (the new one not made), so that the
    // next run asks again.
    TFileMgr files;
    if (files.MoveFiles(IncludeTrailingPathDelimiter(from) + "*.*", ExcludeTrailingPathDelimiter(to), true, true)) {
        RemoveDir(from);
        return true;
    }
    // The new directory's own files are never replaced by the old ones.
    const std::string why =
        files.Existing.empty() ? std::string() : "\r\r\"" + files.Existing + "\" is there already and is not replaced.";
    MessageDlg("Unable to move Tabrix! data filesFrom: " + from + "\r  To: " + to + why, TMsgDlgType::mtError, OkOnly,
               0);
    return false;
}

bool TfmTBXDir::ChkDataDir(const std::string& Dir) {
    if (!HasDataDirExt(Dir)) {
        MessageDlg("Subdirectory must end with \".TRX\"", TMsgDlgType::mtWarning, OkOnly, 0);
        return false;
    }
    if (DirectoryExists(Dir)) return true;
    if (MessageDlg("Subdirectory: \"" + Dir + "\" does not exist.\r\rCreate this subdirectory?", TMsgDlgType::mtWarning,
                   TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0) != mrYes)
        return false;
    bool made = false;
    try {
        made = ForceDirectories(Dir);
    } catch (const EInOutError&) {}
    if (made && DirectoryExists(Dir)) return true;
    MessageDlg("Unable to create subdirectory", TMsgDlgType::mtError, OkOnly, 0);
    MessageDlg("Could not create subdirectory \"" + Dir + "\"", TMsgDlgType::mtError, OkOnly, 0);
    return false;
}

void TfmTBXDir::WriteRedirection() {
    TIniFile ini(TBXDirsIniName);
    switch (Cur.AppType) {
    case TAppType::atSingleNew:
    case TAppType::atSingleOld: ini.WriteString(TBXDirsSection, Cur.ProgramPath, ""); break;
    case TAppType::atMultiOld:
        ini.WriteString(TBXDirsSection, Cur.OldProgramPath, "");
        ini.WriteString(TBXDirsSection, Cur.ProgramPath, Cur.NewDataDir + "," + Cur.FileDriver);
        break;
    case TAppType::atMultiNew:
        ini.WriteString(TBXDirsSection, Cur.ProgramPath, Cur.NewDataDir + "," + Cur.FileDriver);
        break;
    case TAppType::atUnknown: break;
    }
}

void TfmTBXDir::buFinishClick(TObject*) {
    SaveCur();
    bool ok = true;
    if (Cur.AppType == TAppType::atSingleOld) ok = MoveOldDataDir();
    // Readers take the directory from the entry up to its first comma.
    if (ok && Cur.AppType == TAppType::atMultiNew && Cur.NewDataDir.find(',') != std::string::npos) {
        StatusMsg(paMsg,
                  "A shared subdirectory may not contain a comma (the Redirection file ends the directory at "
                  "the first comma): " +
                      Cur.NewDataDir,
                  TMsgDlgType::mtWarning);
        ok = false;
    }
    ok = ok && ChkDataDir(Cur.NewDataDir);
    if (!ok) return;
    WriteRedirection();
    ResultDir = Cur.NewDataDir;
    SetModalResult(mrOk);
}

void TfmTBXDir::buCancelClick(TObject*) {
    // Outside a print run nobody waits for the directory.
    if (ReportSettings &&
        MessageDlg("If you Quit, the Tabrix! component will not function and the report cannot be printed.\rAre you "
                   "sure you want to quit?",
                   TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0) != mrYes)
        return;
    ResultDir.clear();
    SetModalResult(mrCancel);
}

void TfmTBXDir::buHelpClick(TObject*) { Application()->HelpContext(HelpContext); }

void TfmTBXDir::ShowStatusHint(TObject*) { paMsg->SetCaption(StatusHintText(Application()->Hint())); }

// ---------------------------------------------------------------------------
// The entry

void AskToCreateTBXDataDirectory(std::string& Dir, bool HasRedirection) {
    // A project not yet saved has no place to ask about: its directory is
    // the default one, made without a word.
    if (!HasRedirection && !FileExists(GetProgramPath(false, ""))) {
        CreateDefaultTBXDataDirectory(Dir, false);
        if (!Dir.empty()) return;
    }
    if (!fmTBXDir) Application()->CreateForm(fmTBXDir);
    struct TFreeWizard {
        ~TFreeWizard() { FreeAndNil(fmTBXDir); }
    } freeWizard;
    fmTBXDir->ShowModal();
    const std::string result = fmTBXDir->ResultDir;
    Dir = !result.empty() && DirectoryExists(result) ? IncludeTrailingPathDelimiter(result) : std::string();
}

} // namespace trx
