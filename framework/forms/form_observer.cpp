#include "framework/forms/form_observer.h"

#include <algorithm>
#include <vector>

namespace trx {

namespace {
std::vector<TFormObserver*>& List() {
    static std::vector<TFormObserver*> list;
    return list;
}

// Calls F on a copy of the list, so that an observer may unregister itself.
template <class F>
void Each(F f) {
    if (List().empty()) return;
    const std::vector<TFormObserver*> copy = List();
    for (TFormObserver* o : copy)
        if (std::find(List().begin(), List().end(), o) != List().end()) f(*o);
}
} // namespace

void AddFormObserver(TFormObserver* Observer) {
    if (Observer && std::find(List().begin(), List().end(), Observer) == List().end()) List().push_back(Observer);
}

void RemoveFormObserver(TFormObserver* Observer) {
    auto& l = List();
    l.erase(std::remove(l.begin(), l.end(), Observer), l.end());
}

namespace observers {
bool Any() { return !List().empty(); }
void FormCreated(TCustomForm& Form) {
    Each([&](TFormObserver& o) { o.FormCreated(Form); });
}
void FormShown(TCustomForm& Form, bool Modal) {
    Each([&](TFormObserver& o) { o.FormShown(Form, Modal); });
}
void FormHidden(TCustomForm& Form) {
    Each([&](TFormObserver& o) { o.FormHidden(Form); });
}
void FormActivated(TCustomForm& Form) {
    Each([&](TFormObserver& o) { o.FormActivated(Form); });
}
void FormDestroying(TCustomForm& Form) {
    Each([&](TFormObserver& o) { o.FormDestroying(Form); });
}
void ControlChanged(TControl& Control, TControlChange Change) {
    Each([&](TFormObserver& o) { o.ControlChanged(Control, Change); });
}
void ControlDestroying(TControl& Control) {
    Each([&](TFormObserver& o) { o.ControlDestroying(Control); });
}
void MenuItemChanged(TMenuItem& Item) {
    Each([&](TFormObserver& o) { o.MenuItemChanged(Item); });
}
void MenuKey(TCustomForm& Form, TMenuItem& Item) {
    Each([&](TFormObserver& o) { o.MenuKey(Form, Item); });
}
void ScreenCursorChanged(int Cursor) {
    Each([&](TFormObserver& o) { o.ScreenCursorChanged(Cursor); });
}
} // namespace observers

} // namespace trx
