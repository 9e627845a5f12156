// Setting, changing and removing a report's passwords from the options
// dialog's Setup page: the password check boxes, and the read-only box.
//
// The options dialog's handlers call these with their own controls:
//     void TfmTBXMain::cbRptPWClick(TObject*) {
//         PasswordCheckBoxClick(cbRptPW, TPasswordKind::pkReport, Assigning);
//     }
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace trx {

class TCheckBox;
class TObject;
class TPanel;
class TTimer;

// The three passwords of a report.
enum class TPasswordKind : uint8_t { pkReport, pkReportOptions, pkSetupPage };

// "Report Password", "Report Options Password", "Setup Page Password".
std::string PasswordKindName(TPasswordKind Kind);
// The stored password of the run's settings, and the one entered during the
// run (PWInfo), of a kind. The settings must exist.
std::string& StoredPassword(TPasswordKind Kind);
std::string& EnteredPassword(TPasswordKind Kind);

// Asks for the current password (when one is set), then for the new one
// twice (the two entries may differ in letter case; an empty first entry
// removes the password). True when Password was changed or removed; the
// settings are then modified. Every outcome is told in a message box.
bool ChangePW(const std::string& Kind, std::string& Password);

// Flips the box's Checked without running its OnClick handler.
void ToggleCheckNoClick(TCheckBox* Box);

// A password check box was clicked: the password of its kind is changed
// (and remembered as entered, so that the user who set it is not asked for
// it again in this run), and the box shows afterwards whether a password is
// stored. Nothing while the dialog is filling its controls.
void PasswordCheckBoxClick(TCheckBox* Box, TPasswordKind Kind, bool Assigning);

// The read-only box was clicked: checked, it tells on the status panel
// (for 5 seconds through Timer) that the options become read-only the next
// time the report runs; unchecked, the dialog's SetOptions runs for the box
// and the settings are no longer read-only at once. Nothing while the
// dialog is filling its controls.
void SettingsReadOnlyClick(TCheckBox* Box, bool Assigning, TPanel* MsgPanel, TTimer* Timer,
                           const std::function<void(TObject* Sender)>& SetOptions);

} // namespace trx
