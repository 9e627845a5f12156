// The dialog's check of its page-range fields.
#include "engine/print_settings.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"

namespace trx {

namespace {

// The edit takes the focus when it can; a field that cannot (hidden, on a
// closed form, or on a form that is not the active one, such as a dialog
// still setting itself up unseen) is simply left as it is.
void FocusEdit(TEdit* Edit) {
    const TCustomForm* form = Edit ? GetParentForm(Edit) : nullptr;
    if (form && form->Active() && Edit->CanFocus()) Edit->SetFocus();
}

} // namespace

void TPrintSettings::ShowPageNumError(TEdit* Edit) const {
    MessageBeep(MB_OK);
    std::string text = "Page number is invalid\rExamples:\r4";
    if (PagesAcross >= 2) text += "\r1-3\r5-2";
    MessageDlg(text, TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
    FocusEdit(Edit);
}

bool TPrintSettings::ChkPageRange(bool Check, TEdit* FromEdit, TEdit* ToEdit) {
    if (!Check) return true;
    const std::string from = FromEdit ? FromEdit->Text() : std::string();
    const std::string to = ToEdit ? ToEdit->Text() : std::string();
    if (!ChkForNumericPageNum(from)) {
        ShowPageNumError(FromEdit);
        return false;
    }
    if (!ChkForNumericPageNum(to)) {
        ShowPageNumError(ToEdit);
        return false;
    }
    if (CnvtPageNumStrToDouble(from) > CnvtPageNumStrToDouble(to)) {
        MessageDlg("\"From Page#\" must be less than or equal \"To Page#\"", TMsgDlgType::mtWarning,
                   TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
        FocusEdit(FromEdit);
        return false;
    }
    return true;
}

} // namespace trx
