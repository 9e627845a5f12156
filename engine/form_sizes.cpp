#include "engine/form_sizes.h"

#include "engine/trx_errors.h"
#include "framework/core/ini_file.h"
#include "framework/core/strings.h"
#include "framework/forms/application.h"

namespace trx {

namespace {
constexpr const char* KeyTop = "Window Top";
constexpr const char* KeyLeft = "Window Left";
constexpr const char* KeyWidth = "Window Width";
constexpr const char* KeyHeight = "Window Height";
constexpr const char* KeyMaximized = "Window Maximized";

// One axis: a window that passes the screen's edge moves back; one larger
// than the screen starts at 0 and loses what does not fit.
void FitAxis(int& Start, int& Size, int ScreenSize) {
    if (Start + Size > ScreenSize) Start = ScreenSize - Size;
    if (Start < 0) {
        Size += Start;
        Start = 0;
    }
}

void ChkIniFileName(const std::string& IniFileName, const char* Routine) {
    if (Trim(IniFileName).empty())
        throw eTrxIntError(std::string(InternalErrorPrefix) + "[" + Routine + "] IniFileName is blank");
}
} // namespace

void ChkWindowDim(int& Top, int& Left, int& Width, int& Height) {
    const int screenW = Screen()->Width();
    const int screenH = Screen()->Height();
    if (Top <= 0) Top = screenH / 4;
    if (Width <= 0) Width = screenW / 2;
    if (Left <= 0) Left = screenW / 4;
    if (Height <= 0) Height = screenH / 2;
    FitAxis(Top, Height, screenH);
    FitAxis(Left, Width, screenW);
}

void SetWindowVisibility(TCustomForm* Form, bool Visible, TFormBorderStyle BorderStyle, const TPoint& Size) {
    if (!Form) return;
    if (Visible) {
        Form->SetBorderStyle(BorderStyle);
        Form->SetBounds((Screen()->Width() - Size.X) / 2, (Screen()->Height() - Size.Y) / 2, Size.X, Size.Y);
    } else {
        Form->SetBorderStyle(TFormBorderStyle::bsNone);
        Form->SetHeight(0);
        Form->SetWidth(0);
    }
}

std::string FormSizeSection(const TCustomForm& Form, const std::string& UserName) {
    return "Form:" + Form.Name() + " User:" + UserName;
}

void IniLoadFormSize(const std::string& IniFileName, TCustomForm* Form, const std::string& UserName) {
    ChkIniFileName(IniFileName, "IniLoadFormSize");
    if (!Form) return;
    const TIniFile ini(IniFileName);
    const std::string section = FormSizeSection(*Form, UserName);
    int top = ini.ReadInteger(section, KeyTop, -1);
    int left = ini.ReadInteger(section, KeyLeft, -1);
    int width = ini.ReadInteger(section, KeyWidth, -1);
    int height = ini.ReadInteger(section, KeyHeight, -1);
    const bool maximized = ini.ReadBool(section, KeyMaximized, false);
    ChkWindowDim(top, left, width, height);

    // The form's own resize handler runs once, after everything is set.
    TNotifyEvent onResize = Form->OnResize;
    Form->OnResize = nullptr;
    try {
        // The normal bounds first, so that a maximized form returns to them.
        Form->SetWindowState(TWindowState::wsNormal);
        Form->SetBounds(left, top, width, height);
        Form->SetWindowState(maximized ? TWindowState::wsMaximized : TWindowState::wsNormal);
    } catch (...) {
        Form->OnResize = onResize;
        throw;
    }
    Form->OnResize = onResize;
    if (Form->OnResize) Form->OnResize(Form);
}

void IniSaveFormSize(const std::string& IniFileName, TCustomForm* Form, const std::string& UserName) {
    ChkIniFileName(IniFileName, "IniSaveFormSize");
    if (!Form) return;
    TIniFile ini(IniFileName);
    const std::string section = FormSizeSection(*Form, UserName);
    if (Form->WindowState() == TWindowState::wsNormal) {
        ini.WriteInteger(section, KeyTop, Form->Top());
        ini.WriteInteger(section, KeyLeft, Form->Left());
        ini.WriteInteger(section, KeyWidth, Form->Width());
        ini.WriteInteger(section, KeyHeight, Form->Height());
    }
    ini.WriteBool(section, KeyMaximized, Form->WindowState() == TWindowState::wsMaximized);
}

} // namespace trx
