// The coloured status line of the dialogs and the message box for errors
// and warnings.
#pragma once

#include <string>

#include "framework/forms/dialogs.h"

namespace trx {

class TPanel;
class TTimer;

// Shows Msg on a status panel, coloured by its type (warnings yellow and
// errors red, both with a beep; confirmations aqua; custom white;
// information in the button face). An information does not replace a
// coloured message still shown unless Secs is negative. With a timer, the
// timer is stopped and, for Secs of 1 or more, started to fire after Secs
// seconds (its handler clears the panel). A nil panel shows nothing.
void StatusMsg(TPanel* Panel, const std::string& Msg, TMsgDlgType MsgType, TTimer* Timer = nullptr, int Secs = 0);

// A message box with the OK button: warnings and errors beep and are
// prefixed "Warning: " or "Error: ".
void ErrMgr(const std::string& Msg, TMsgDlgType MsgType, int HelpCtx);

} // namespace trx
