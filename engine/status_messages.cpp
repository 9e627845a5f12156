#include "engine/status_messages.h"

#include "framework/forms/extra_controls.h"

namespace trx {

void StatusMsg(TPanel* Panel, const std::string& Msg, TMsgDlgType MsgType, TTimer* Timer, int Secs) {
    if (!Panel) return;
    // An information never hides a warning, error or other coloured message
    // still shown, unless it is forced.
    if (MsgType == TMsgDlgType::mtInformation && Panel->Color() != clBtnFace && Secs >= 0) return;

    TColor color = clBtnFace;
    bool bold = false;
    switch (MsgType) {
    case TMsgDlgType::mtWarning:
        MessageBeep(MB_ICONASTERISK);
        color = clYellow;
        bold = true;
        break;
    case TMsgDlgType::mtError:
        MessageBeep(MB_ICONHAND);
        color = clRed;
        bold = true;
        break;
    case TMsgDlgType::mtInformation: color = clBtnFace; break;
    case TMsgDlgType::mtConfirmation: color = clAqua; break;
    case TMsgDlgType::mtCustom: color = clWhite; break;
    }
    Panel->SetColor(color);
    Panel->Font().SetColor(clBlack);
    Panel->Font().SetStyle(bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{});
    Panel->SetCaption("  " + Msg);
    Panel->Update();

    if (Timer) {
        Timer->SetEnabled(false);
        if (Secs >= 1) {
            Timer->SetInterval(static_cast<uint32_t>(Secs) * 1000u);
            Timer->SetEnabled(true);
        }
    }
}

void ErrMgr(const std::string& Msg, TMsgDlgType MsgType, int HelpCtx) {
    std::string prefix;
    if (MsgType == TMsgDlgType::mtWarning) {
        MessageBeep(MB_ICONASTERISK);
        prefix = "Warning: ";
    } else if (MsgType == TMsgDlgType::mtError) {
        MessageBeep(MB_ICONEXCLAMATION);
        prefix = "Error: ";
    }
    MessageDlg(prefix + Msg, MsgType, TMsgDlgButtons{TMsgDlgBtn::mbOK}, HelpCtx);
}

} // namespace trx
