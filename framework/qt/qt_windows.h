// The forms of the model shown and driven as real Qt windows.
//
// The model stays the truth; Qt is its view and its input. Every form is a
// top-level window, every control one plain widget at the model's bounds,
// and each change of the model updates the one property that changed.
// Keys and clicks on these windows are caught before the widgets see them,
// turned into the model's key codes and user actions, queued as the user's
// input and swallowed: the model decides what a key does, what is modified
// and where the focus goes. Model code never runs inside a Qt event
// handler; the one exception is a menu about to open, which runs its
// item's OnClick, as the framework does, under a guard.
//
// There is one loop, the model's: while it waits for the user
// (TInputSource::WaitForInput) it runs Qt's events until input has come or
// a timer falls due, and ProcessMessages takes what has come without
// waiting. A modal run of the model shows its form application-modal; no
// Qt dialog or message box runs a loop of its own for the model.
#pragma once

#include <string>

class QAction;
class QWidget;

namespace trx {

class TControl;
class TCustomForm;
class TMenuItem;

// Installs the backend: the forms' observer, the applications' input
// source, the dialog service (message boxes as forms of the model, Qt's
// file, font and printer dialogs), the system clipboard, the windows'
// pictures for printing, and the screen's fonts and size for what the forms
// measure (ScreenDevice, Screen). Forms that exist already get their windows. Makes
// the Qt application object when there is none (qt_application.h).
// Calling it again does nothing.
void UseQtWindows();
// Takes the backend away again: the windows go, and the input source,
// dialog service and clipboard that were there before come back.
void StopQtWindows();
bool QtWindowsInstalled();
// True while the backend runs Qt's events inside a change of the model (a
// menu opening, a window being shown): nothing may act on the model then.
bool QtWindowsBusy();

// The widget that shows a control (the window for a form), or nullptr.
QWidget* QtWidget(const TControl* Control);
// The action that shows a menu item of a form's main menu, or nullptr.
QAction* QtAction(const TMenuItem* Item);

// Renders what waits to be drawn by the model (owner-drawn lists) and lets
// Qt handle its pending events, without waiting; ProcessMessages does this
// through the input source.
void ProcessQtEvents();

// Saves a picture of a form's window as a PNG file: the window as the
// screen shows it, frame included, or, where the platform cannot read its
// screen (offscreen), the window's own rendering. False when the form has
// no window on the screen or the file cannot be written.
bool SaveWindowPicture(const TCustomForm* Form, const std::string& FileName);

} // namespace trx
