// What a person sees of the model's windows, held against the model: every
// text of a control whole inside its control in the font it is shown in, a
// disabled control drawn disabled and an enabled one enabled, a control
// shown where the model shows it and nowhere else, a dialog framed as a
// dialog. The window tests run it before each step of their user, so every
// window in every state they reach is looked at.
//
// The probes act on a window as a person would and check what follows: a
// click on a disabled control leaves the focus where it was, a press on a
// drop-down's arrow opens its list.
#pragma once

#include <string>
#include <vector>

namespace trx {
class TCustomForm;
}

namespace trx::test {

// What is wrong with the look of one shown form, one line per fault
// ("fmTBXMain.edLinesPerPage: ..."); empty when nothing is.
std::vector<std::string> ViewFaults(const TCustomForm& Form);

// The faults of every shown form, each reported once per test as a test
// failure. Does nothing while a ViewCheckOff lives.
void CheckShownWindows();

// A click on every disabled control of Form that shows: the focus stays.
std::vector<std::string> ProbeDisabledClicks(TCustomForm& Form);
// A press on the arrow of every enabled drop-down of Form that shows: its
// list opens (at most DropDownCount items tall), and Escape closes it.
std::vector<std::string> ProbeDropDowns(TCustomForm& Form);

// Turns the check off for tests of windows made up to show a fault.
class ViewCheckOff {
public:
    ViewCheckOff();
    ~ViewCheckOff();
    ViewCheckOff(const ViewCheckOff&) = delete;
    ViewCheckOff& operator=(const ViewCheckOff&) = delete;
};

} // namespace trx::test
