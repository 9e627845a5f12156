// Message boxes and the common dialogs, as a service with one process-wide
// current instance: the real windows of a backend, or the tests' scripted
// responder (which the component does not ship). Without a service a call
// that needs an answer raises EScriptFailure; beeps are ignored.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/component.h"
#include "framework/core/enum_array.h"
#include "framework/forms/control.h"
#include "framework/printing/graphics.h"

namespace trx {

enum class TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn : uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;

inline const TMsgDlgButtons mbYesNoCancel{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel};
inline const TMsgDlgButtons mbOKCancel{TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbIgnore};

// The modal result a button gives.
TModalResult ModalResultOf(TMsgDlgBtn Button);
// The caption of a message box of a type: "Warning", "Error", "Information", "Confirm"; empty for mtCustom.
std::string MessageDlgCaption(TMsgDlgType Type);

// Sounds of MessageBeep.
constexpr uint32_t MB_OK = 0x00000000;
constexpr uint32_t MB_ICONHAND = 0x00000010;
constexpr uint32_t MB_ICONQUESTION = 0x00000020;
constexpr uint32_t MB_ICONEXCLAMATION = 0x00000030;
constexpr uint32_t MB_ICONASTERISK = 0x00000040;
constexpr uint32_t MB_ICONERROR = MB_ICONHAND;
constexpr uint32_t MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr uint32_t MB_SIMPLEBEEP = 0xFFFFFFFF;

enum class TOpenOption : uint8_t {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks
};
using TOpenOptions = TEnumSet<TOpenOption>;

enum class TFontDialogOption : uint8_t {
    fdAnsiOnly,
    fdTrueTypeOnly,
    fdEffects,
    fdFixedPitchOnly,
    fdForceFontExist,
    fdNoFaceSel,
    fdNoOEMFonts,
    fdNoSimulations,
    fdNoSizeSel,
    fdNoStyleSel,
    fdNoVectorFonts,
    fdShowHelp,
    fdWysiwyg,
    fdLimitSize,
    fdScalableOnly
};
using TFontDialogOptions = TEnumSet<TFontDialogOption>;
enum class TFontDialogDevice : uint8_t { fdScreen, fdPrinter, fdBoth };

enum class TSelectDirOpt : uint8_t { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = TEnumSet<TSelectDirOpt>;

// The common dialogs are components that a form holds; Execute shows them
// through the current dialog service and answers whether the user confirmed.
class TCommonDialog : public TComponent, public TPropertyAccess {
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    virtual bool Execute() = 0;
    int HelpContext = 0;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
    bool BindEvent(const std::string& Event, const std::any& Handler) override;
};

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;

    std::string FileName;
    // "Text Files|*.TXT|All Files|*.*"
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string InitialDir;
    std::string Title;
    TOpenOptions Options{TOpenOption::ofHideReadOnly};

    bool SetProperty(const std::string& Name, const std::string& Value) override;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;

    // The font shown at the start and chosen at the end.
    TFont Font;
    TFontDialogOptions Options{TFontDialogOption::fdEffects};
    TFontDialogDevice Device = TFontDialogDevice::fdScreen;
    int MinFontSize = 0;
    int MaxFontSize = 0;

    bool SetProperty(const std::string& Name, const std::string& Value) override;
};

// Changes the current printer's choice and settings (Printer()) when confirmed.
class TPrinterSetupDialog : public TCommonDialog {
public:
    explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;
};

class TDialogService {
public:
    virtual ~TDialogService() = default;

    // A message box with the type's caption and icon and the buttons given;
    // the modal result of the button pressed (mrCancel when closed).
    virtual TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                    int HelpCtx) = 0;
    // A message box with the application's title and an OK button.
    virtual void ShowMessage(const std::string& Msg) = 0;
    // The error box of an exception nobody handled.
    virtual void ShowException(const std::string& Title, const std::string& Msg) = 0;
    virtual void MessageBeep(uint32_t Type) = 0;
    // The open (Save false) or save file dialog: on confirmation the dialog's
    // FileName (and FilterIndex) take the choice.
    virtual bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) = 0;
    // On confirmation the dialog's Font takes the choice.
    virtual bool ExecuteFontDialog(TFontDialog& Dialog) = 0;
    // On confirmation the printer's choice and settings have changed.
    virtual bool ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) = 0;
    // The directory picker; on confirmation Directory takes the choice
    // (created first with sdPerformCreate when it does not exist).
    virtual bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx) = 0;
};

TDialogService& DialogService();
// Installs Service (not owned); nullptr restores the headless service.
void SetDialogService(TDialogService* Service);

// Installs a service for its lifetime.
class TDialogServiceOverride {
public:
    explicit TDialogServiceOverride(TDialogService& Service);
    ~TDialogServiceOverride();
    TDialogServiceOverride(const TDialogServiceOverride&) = delete;
    TDialogServiceOverride& operator=(const TDialogServiceOverride&) = delete;

private:
    TDialogService* previous_;
};

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
void ShowMessage(const std::string& Msg);
void MessageBeep(uint32_t Type);
bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx);

} // namespace trx
