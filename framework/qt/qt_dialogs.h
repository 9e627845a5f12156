// The services the form layer asks a backend for, on Qt: message boxes,
// the common dialogs, beeps and the system clipboard.
//
// Message boxes and the printer set-up (each printer's papers and the
// orientation) are forms of the model, run modally by the model's own loop
// and shown by the Qt windows like any form. The file, directory and font
// dialogs are Qt's, opened over the model's active window while the model's
// loop runs on until they close, so its timers and posted messages keep
// running; questions they ask on the way are the model's message boxes.
// GetKeyState reads the real keyboard.
#pragma once

#include <string>

#include "framework/forms/dialogs.h"

namespace trx {

class TCustomForm;
struct TFormDesc;

// Installs the dialog service and the clipboard (qt_windows.h does).
void InstallQtServices();
// Puts back the ones that were there before.
void RemoveQtServices();

// Makes the message box form of MessageDlg: the type's icon (a Qt label
// named "Icon" on the form's window; none for mtCustom) beside the message,
// over one button a kind (named "OK", "Cancel", "Yes"... and giving the
// kind's modal result), sized to its text in the screen's fonts. A help
// context adds the Help button, which F1 also presses. Owned by the
// application.
// The printer set-up's layout: the printer and its paper (both lists
// filled when it runs), the orientation, OK and Cancel.
const TFormDesc& PrinterSetupLayout();

TCustomForm* CreateMessageForm(TMsgDlgType Type, const std::string& Caption, const std::string& Msg,
                               TMsgDlgButtons Buttons, int HelpCtx);

} // namespace trx
