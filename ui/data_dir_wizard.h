// The data-directory wizard: sets up the directory where a program keeps
// its report settings when GetTBXDataDir finds none.
//
// Every program has one data directory ending in ".TRX": by default its own
// path with the extension ".TRX", otherwise the one its entry in the
// redirection file "TBXDirs.Ini" names. The redirection file lies in the
// Windows directory and has one section, "Tabrix! Data Directories", with
// one key per program (its full file name). An empty value means the
// default directory; otherwise the value is the directory, a comma and the
// file driver: "PARADOX" for a directory the wizard records as shared, empty
// for an entry it corrects. Entries are blanked, never removed.
//
// The wizard asks whether this is the program's first use of the component
// (or the program was renamed or moved) and whether it stands alone or
// shares a directory; then it creates the directory, moves the old
// program's directory to the new name, records a shared directory, or
// corrects an outdated entry.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/component.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"

namespace trx {

struct TFormDesc;

// The kind of set-up chosen: a new or an old program, with a directory of
// its own or a shared one.
enum class TAppType : uint8_t { atUnknown, atSingleNew, atSingleOld, atMultiNew, atMultiOld };

// The wizard's current choice, rebuilt from its controls on every event.
struct TCur {
    TAppType AppType = TAppType::atUnknown;
    std::string NewDataDir; // to create, move to or record
    std::string OldDataDir; // the old program's directory to move from
    std::string ProgramPath; // the running program (the project inside the environment)
    std::string OldProgramPath; // the key of the outdated entry being replaced
    std::string FileDriver; // written after the comma
};

extern TCur Cur;

class TfmTBXDir : public TForm {
public:
    explicit TfmTBXDir(TComponent* AOwner);
    ~TfmTBXDir() override;

    // Rebuilds Cur's paths from the controls.
    void SaveCur();
    // Help context, AppType, the buttons' states and the labels that follow
    // the choice; run after every control event and page change.
    void SetOptions();
    // Fills a placeholder ("<<PGMTYPE>>") in every label, group box and
    // radio button, each occurrence in the letter case it is written in
    // (without Recase, the value as it is).
    void FixCaptions(const std::string& Placeholder, const std::string& Value, bool Recase = true);

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void rbNewProgramClick(TObject* Sender);
    void rbSingleProgramClick(TObject* Sender);
    void rbMultiProgramClick(TObject* Sender);
    void cmbSOPDataDirectoryChange(TObject* Sender);
    void cmbOMPFileNameExit(TObject* Sender);
    void buBackClick(TObject* Sender);
    void buNextClick(TObject* Sender);
    void buSOPLkupClick(TObject* Sender);
    void buNMDirectoryLkupClick(TObject* Sender);
    void buFinishClick(TObject* Sender);
    void buCancelClick(TObject* Sender);
    void buHelpClick(TObject* Sender);
    void ShowStatusHint(TObject* Sender);

    TRX_FIELD(TLabel, lbProjectNameTitle);
    TRX_FIELD(TNotebook, nbWizard);
    TRX_FIELD(TRadioButton, rbNewProgram);
    TRX_FIELD(TRadioButton, rbOldProgram);
    TRX_FIELD(TRadioButton, rbSingleProgram);
    TRX_FIELD(TRadioButton, rbMultiProgram);
    TRX_FIELD(TLabel, lbSOPRenameTitle);
    TRX_FIELD(TComboBox, cmbSOPDataDirectory);
    TRX_FIELD(TButton, buSOPLkup);
    TRX_FIELD(TLabel, lbSOPOldProjectName);
    TRX_FIELD(TLabel, lbSOPNewProjectName);
    TRX_FIELD(TComboBox, cmbMNPDataDirectory);
    TRX_FIELD(TButton, buNMDirectoryLkup);
    TRX_FIELD(TComboBox, cmbMNFileDriver);
    TRX_FIELD(TComboBox, cmbOMPFileName);
    TRX_FIELD(TLabel, lbOMPWarning);
    TRX_FIELD(TButton, buHelp);
    TRX_FIELD(TButton, buBack);
    TRX_FIELD(TButton, buNext);
    TRX_FIELD(TButton, buCancel);
    TRX_FIELD(TButton, buFinish);
    TRX_FIELD(TPanel, paMsg);

    int BaseHelpContext = 0;
    std::string PgmType; // "Program", or "Project" inside the environment
    // The program's extension: its real one (often none), or ".DPR" inside the environment.
    std::string Sfx;
    bool OldShowHint = true;
    TNotifyEvent OldOnHint;
    // The directory set up by Finish; empty otherwise.
    std::string ResultDir;

private:
    // The new directory ends in ".TRX" and exists, made when the user agrees.
    bool ChkDataDir(const std::string& Dir);
    // The old program's directory moved to the new one.
    bool MoveOldDataDir();
    void WriteRedirection();
};

// The wizard while it exists, else nullptr.
extern TfmTBXDir* fmTBXDir;
// The wizard's layout, which its constructor builds.
const TFormDesc& WizardLayout();

// Sets up a data directory that is undefined or missing (GetTBXDataDir's
// hook). Without a redirection entry and before the program file exists (a
// project not yet saved inside the environment) the default directory is
// made quietly; otherwise the wizard runs. Dir comes back as the directory
// set up, with a trailing delimiter, or empty when none was.
void AskToCreateTBXDataDirectory(std::string& Dir, bool HasRedirection);

// Letter case: A to Z lowered, every other character as it is.
std::string LoCase(const std::string& S);
// Value in the case of Pattern's first two letters: its first character
// upper-cased when the first letter is upper case, the rest when the second is.
std::string MatchCase(const std::string& Value, const std::string& Pattern);

} // namespace trx
