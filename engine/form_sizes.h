// Window sizes and places: kept on the screen, shown or hidden as a whole,
// and remembered per form and user in an ini file, in the section
// "Form:" + the form's name + " User:" + the user name.
#pragma once

#include <string>

#include "framework/core/types.h"
#include "framework/forms/form.h"

namespace trx {

// Puts a window on the screen: a missing (0 or less) top, left, width or
// height takes a quarter or half of the screen, and a window that passes
// the screen's bottom or right edge moves back, shrinking when it is larger
// than the screen.
void ChkWindowDim(int& Top, int& Left, int& Width, int& Height);

// Visible: the border style and Size (X width, Y height), centred on the
// screen. Invisible: no border and 0 by 0 pixels.
void SetWindowVisibility(TCustomForm* Form, bool Visible, TFormBorderStyle BorderStyle, const TPoint& Size);

// The form's section name in the ini file.
std::string FormSizeSection(const TCustomForm& Form, const std::string& UserName);

// Sets the form's place, size and maximized state from its section (a
// missing value counts as missing, see ChkWindowDim), with OnResize held
// back meanwhile and then called once. Nothing for a nil form; a blank file
// name raises eTrxIntError.
void IniLoadFormSize(const std::string& IniFileName, TCustomForm* Form, const std::string& UserName);
// Writes the place and size (only while the form is neither maximized nor
// minimized) and the maximized state. Nothing for a nil form; a blank file
// name raises eTrxIntError.
void IniSaveFormSize(const std::string& IniFileName, TCustomForm* Form, const std::string& UserName);

} // namespace trx
