// The tab strip over the options dialog's notebook. Its tabs are the names of
// the notebook pages now offered, always in page order; hidden pages have no
// tab, so a tab and its page are paired by name, never by position.
#pragma once

#include <string>

#include "framework/forms/extra_controls.h"

namespace trx {

class TfmTBXMain;

// Keeps a control's exit check off while it lives, and puts it back after.
// A page change or a move to a failed field takes the focus away from the
// field being edited; that field is checked where the move asks for it
// (or when it is next left), never a second time by the move itself.
class TExitCheckHold {
public:
    explicit TExitCheckHold(TWinControl* Control);
    ~TExitCheckHold();
    TExitCheckHold(const TExitCheckHold&) = delete;
    TExitCheckHold& operator=(const TExitCheckHold&) = delete;

private:
    TWinControl* control_;
    TNotifyEvent handler_;
};

class TTabSetControl : public TTabControl {
public:
    explicit TTabSetControl(TComponent* AOwner);

    // Selects the next tab (after the last the first), or backward the
    // previous one (before the first the last).
    void SelectNext(bool Forward);
    // Shows the notebook page of that name (case-insensitive); nothing
    // without a notebook. A name that is no page is an internal error.
    void SetNBPage(const std::string& Name);
    // The tab change: checks the field being left, asks the setup password
    // for the Setup tab, then shows the selected tab's page or puts the tab
    // back on the page shown. The strip's OnChange; the dialog also calls it
    // after moving the selection itself.
    void TabChanged(TObject* Sender);
    // Selects the tab and shows its page at once: no exit check of the
    // field being left, no password.
    void ShowTab(int Index);

    // Set while a change is being refused (a password refused, or the exit
    // check of the field being left failed).
    bool CancelChange = false;
    // The notebook whose page follows the selected tab.
    TNotebook* NoteBook = nullptr;

protected:
    // A click on a tab leaves the focus in the field being edited, so that
    // the change can check that field first.
    bool FocusOnClick() const override { return false; }

private:
    // The change itself: the exit check, the password and the page.
    void ChangePage(TfmTBXMain* Dialog);
};

} // namespace trx
