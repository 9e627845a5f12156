#include "framework/forms/standard_controls.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/strings.h"
#include "framework/forms/clipboard.h"
#include "framework/forms/form.h"
#include "framework/forms/property_values.h"
#include "framework/printing/draw_text.h"

namespace trx {

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

int Len(const std::string& s) { return static_cast<int>(s.size()); }

TAlignment PropAlignment(const std::string& V) {
    return PropEnum<TAlignment>(V, {"taLeftJustify", "taRightJustify", "taCenter"});
}

TModalResult PropModalResult(const std::string& V) {
    static const char* const names[] = {"mrNone", "mrOk", "mrCancel", "mrAbort",   "mrRetry",   "mrIgnore",
                                        "mrYes",  "mrNo", "mrAll",    "mrNoToAll", "mrYesToAll"};
    for (int i = 0; i < 11; ++i)
        if (SameText(names[i], Trim(V))) return i;
    return PropInt(V);
}

// Where the selected item stands after a change of its list; -1 when it
// went (a replaced item loses the selection, as the platform's lists do).
int SelectionAfter(int Selected, TItemsChange Change, int Index) {
    if (Selected < 0) return Selected;
    switch (Change) {
    case TItemsChange::icInsert: return Index <= Selected ? Selected + 1 : Selected;
    case TItemsChange::icDelete: return Index == Selected ? -1 : (Index < Selected ? Selected - 1 : Selected);
    case TItemsChange::icPut: return Index == Selected ? -1 : Selected;
    case TItemsChange::icClear: return -1;
    case TItemsChange::icUpdated: return Selected;
    }
    return Selected;
}

} // namespace

// ---------------------------------------------------------------------------
// TItemStrings

std::string TItemStrings::Get(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return items_[static_cast<std::size_t>(Index)].first;
}

void TItemStrings::Put(int Index, const std::string& S) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    items_[static_cast<std::size_t>(Index)].first = S;
    Notify(TItemsChange::icPut, Index);
}

TObject* TItemStrings::GetObject(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return items_[static_cast<std::size_t>(Index)].second;
}

void TItemStrings::PutObject(int Index, TObject* Obj) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    items_[static_cast<std::size_t>(Index)].second = Obj;
}

void TItemStrings::Insert(int Index, const std::string& S) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    items_.insert(items_.begin() + Index, {S, nullptr});
    Notify(TItemsChange::icInsert, Index);
}

int TItemStrings::Add(const std::string& S) {
    int at = Count();
    if (Sorted) {
        at = 0;
        while (at < Count() && CompareText(items_[static_cast<std::size_t>(at)].first, S) <= 0) ++at;
    }
    items_.insert(items_.begin() + at, {S, nullptr});
    Notify(TItemsChange::icInsert, at);
    return at;
}

void TItemStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    items_.erase(items_.begin() + Index);
    Notify(TItemsChange::icDelete, Index);
}

void TItemStrings::Clear() {
    items_.clear();
    Notify(TItemsChange::icClear, -1);
}

void TItemStrings::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
    Notify(TItemsChange::icUpdated, -1);
}

void TItemStrings::SetUpdateState(bool Updating) {
    if (!Updating) Notify(TItemsChange::icUpdated, -1);
}

// ---------------------------------------------------------------------------
// TEditBuffer

void TEditBuffer::ClampSelection() {
    SelStart = Clamp(SelStart, 0, Len(Text));
    SelLength = Clamp(SelLength, 0, Len(Text) - SelStart);
}

void TEditBuffer::SelectAll() {
    SelStart = 0;
    SelLength = Len(Text);
}

std::string TEditBuffer::SelText() const {
    const int start = Clamp(SelStart, 0, Len(Text));
    return Text.substr(static_cast<std::size_t>(start),
                       static_cast<std::size_t>(Clamp(SelLength, 0, Len(Text) - start)));
}

void TEditBuffer::ReplaceSelection(const std::string& S) {
    ClampSelection();
    Text.replace(static_cast<std::size_t>(SelStart), static_cast<std::size_t>(SelLength), S);
    ++Revision;
    SelStart += Len(S);
    SelLength = 0;
}

// ---------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetParentColor(true);
    SetBounds(0, 0, 65, 13);
}

void TLabel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Changed(TControlChange::ccStyle);
}

void TLabel::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustSize();
}

void TLabel::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    Changed(TControlChange::ccStyle);
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!autoSize_ || IsLoading()) return;
    canvas_.SetFont(Font());
    std::string text = Caption();
    if (text.empty() || (ShowAccelChar && text == "&")) text += ' ';
    TRect r = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
    unsigned flags = DT_CALCRECT | DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!ShowAccelChar) flags |= DT_NOPREFIX;
    DrawTextA(canvas_, text, r, flags);
    const int w = wordWrap_ ? Width() : r.Width();
    const int h = r.Height();
    int left = Left();
    if (!wordWrap_) {
        if (alignment_ == TAlignment::taRightJustify)
            left = Left() + Width() - w;
        else if (alignment_ == TAlignment::taCenter)
            left = Left() + (Width() - w) / 2;
    }
    SetBounds(left, Top(), w, h);
}

void TLabel::SetFocusControl(TWinControl* Value) {
    if (focusControl_ == Value) return;
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = Value;
    if (focusControl_) FreeNotification(focusControl_);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

bool TLabel::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Alignment"))
        SetAlignment(PropAlignment(V));
    else if (SameText(N, "AutoSize"))
        SetAutoSize(PropBool(V));
    else if (SameText(N, "WordWrap"))
        SetWordWrap(PropBool(V));
    else if (SameText(N, "Layout"))
        Layout = PropEnum<TTextLayout>(V, {"tlTop", "tlCenter", "tlBottom"});
    else if (SameText(N, "ShowAccelChar"))
        ShowAccelChar = PropBool(V);
    else if (SameText(N, "Transparent"))
        Transparent = PropBool(V);
    else if (SameText(N, "FocusControl")) {
        TComponent* c = Owner() ? Owner()->FindComponent(V) : nullptr;
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) throw EComponentError("FocusControl of " + Name() + ": no control named " + V);
        SetFocusControl(w);
    } else
        return TGraphicControl::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 105); }

TRect TGroupBox::AlignRect() const {
    TRect r = ClientRect();
    TCanvas c;
    c.SetFont(Font());
    r.Top += c.TextHeight("0");
    r.Left += 2;
    r.Top += 2;
    r.Right -= 2;
    r.Bottom -= 2;
    return r;
}

// ---------------------------------------------------------------------------
// Buttons

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
    TWinControl::Click();
}

void TButton::DefaultChar(char Key) {
    if (Key == ' ') Click();
}

bool TButton::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Default"))
        Default = PropBool(V);
    else if (SameText(N, "Cancel"))
        Cancel = PropBool(V);
    else if (SameText(N, "ModalResult"))
        ModalResult = PropModalResult(V);
    else
        return TWinControl::SetProperty(N, V);
    return true;
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetState(TCheckBoxState Value) {
    if (state_ == Value) return;
    state_ = Value;
    Changed(TControlChange::ccChecked);
    if (!IsLoading()) Click();
}

void TCheckBox::MouseClick() {
    switch (state_) {
    case TCheckBoxState::cbUnchecked:
        SetState(AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
    }
}

void TCheckBox::DefaultChar(char Key) {
    if (Key == ' ') MouseClick();
}

bool TCheckBox::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Checked"))
        SetChecked(PropBool(V));
    else if (SameText(N, "State"))
        SetState(PropEnum<TCheckBoxState>(V, {"cbUnchecked", "cbChecked", "cbGrayed"}));
    else if (SameText(N, "AllowGrayed"))
        AllowGrayed = PropBool(V);
    else if (SameText(N, "Alignment"))
        Alignment = PropAlignment(V);
    else
        return TWinControl::SetProperty(N, V);
    return true;
}

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    SetTabStop(Value);
    Changed(TControlChange::ccChecked);
    if (!Value) return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)); r && r != this) r->SetChecked(false);
    if (!IsLoading()) Click();
}

void TRadioButton::MouseClick() { SetChecked(true); }

void TRadioButton::DefaultChar(char Key) {
    if (Key == ' ') SetChecked(true);
}

bool TRadioButton::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Checked"))
        SetChecked(PropBool(V));
    else if (SameText(N, "Alignment"))
        Alignment = PropAlignment(V);
    else
        return TWinControl::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    color_ = clWindow;
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetReadOnly(bool Value) {
    if (readOnly_ == Value) return;
    readOnly_ = Value;
    Changed(TControlChange::ccReadOnly);
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (passwordChar_ == Value) return;
    passwordChar_ = Value;
    Changed(TControlChange::ccStyle);
}

void TCustomEdit::SetSelStart(int Value) {
    buf_.SelStart = Value;
    buf_.SelLength = 0;
    buf_.ClampSelection();
    SelectionChanged();
}

void TCustomEdit::SetSelLength(int Value) {
    buf_.SelLength = Value;
    buf_.ClampSelection();
    SelectionChanged();
}

void TCustomEdit::SetSelText(const std::string& Value) {
    buf_.ReplaceSelection(Value);
    Changed(TControlChange::ccText);
    Change();
}

void TCustomEdit::SelectAll() {
    buf_.SelectAll();
    SelectionChanged();
}

void TCustomEdit::CopyToClipboard() {
    if (passwordChar_ != 0) return;
    const std::string s = buf_.SelText();
    if (!s.empty()) Clipboard()->SetAsText(s);
}

void TCustomEdit::CutToClipboard() {
    if (passwordChar_ != 0 || readOnly_ || buf_.SelLength == 0) return;
    CopyToClipboard();
    buf_.ReplaceSelection("");
    UserChanged();
}

void TCustomEdit::PasteFromClipboard() {
    if (readOnly_) return;
    TypeText(Clipboard()->AsText());
}

std::string TCustomEdit::DisplayText() const {
    return passwordChar_ != 0 ? std::string(buf_.Text.size(), passwordChar_) : buf_.Text;
}

void TCustomEdit::SetTextValue(const std::string& Value) {
    buf_.Text = Value;
    ++buf_.Revision;
    buf_.SelStart = 0;
    buf_.SelLength = 0;
    modified_ = false;
    Changed(TControlChange::ccText);
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::UserChanged() {
    modified_ = true;
    Changed(TControlChange::ccText);
    Change();
}

bool TCustomEdit::TypeText(const std::string& S) {
    if (readOnly_ || S.empty()) return false;
    buf_.ClampSelection();
    std::string s = S;
    if (MaxLength > 0) {
        const int room = MaxLength - (Len(buf_.Text) - buf_.SelLength);
        if (room <= 0) return false;
        if (Len(s) > room) s.resize(static_cast<std::size_t>(room));
    }
    buf_.ReplaceSelection(s);
    UserChanged();
    return true;
}

bool TCustomEdit::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomEdit::DefaultKeyDown(uint16_t Key, TShiftState Shift) {
    const bool shift = Shift.Contains(TShiftFlag::ssShift);
    const bool ctrl = Shift.Contains(TShiftFlag::ssCtrl);
    buf_.ClampSelection();
    const int len = Len(buf_.Text);
    const int end = buf_.SelStart + buf_.SelLength;
    switch (Key) {
    case VK_LEFT:
        if (shift) {
            if (buf_.SelStart > 0) {
                --buf_.SelStart;
                ++buf_.SelLength;
            }
        } else {
            buf_.SelStart = buf_.SelLength > 0 ? buf_.SelStart : std::max(0, buf_.SelStart - 1);
            buf_.SelLength = 0;
        }
        SelectionChanged();
        break;
    case VK_RIGHT:
        if (shift)
            buf_.SelLength = std::min(len - buf_.SelStart, buf_.SelLength + 1);
        else {
            buf_.SelStart = buf_.SelLength > 0 ? end : std::min(len, buf_.SelStart + 1);
            buf_.SelLength = 0;
        }
        SelectionChanged();
        break;
    case VK_HOME:
        buf_.SelLength = shift ? end : 0;
        buf_.SelStart = 0;
        SelectionChanged();
        break;
    case VK_END:
        if (shift)
            buf_.SelLength = len - buf_.SelStart;
        else {
            buf_.SelStart = len;
            buf_.SelLength = 0;
        }
        SelectionChanged();
        break;
    case VK_DELETE:
        if (shift)
            CutToClipboard();
        else if (!readOnly_) {
            if (buf_.SelLength == 0 && buf_.SelStart < len) buf_.SelLength = 1;
            if (buf_.SelLength > 0) {
                buf_.ReplaceSelection("");
                UserChanged();
            }
        }
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        break;
    case 'C':
        if (ctrl) CopyToClipboard();
        break;
    case 'X':
        if (ctrl) CutToClipboard();
        break;
    case 'V':
        if (ctrl) PasteFromClipboard();
        break;
    default: break;
    }
}

void TCustomEdit::DefaultChar(char Key) {
    if (Key == '\b') {
        if (readOnly_) return;
        buf_.ClampSelection();
        if (buf_.SelLength == 0) {
            if (buf_.SelStart == 0) return;
            --buf_.SelStart;
            buf_.SelLength = 1;
        }
        buf_.ReplaceSelection("");
        UserChanged();
        return;
    }
    if (static_cast<unsigned char>(Key) >= 32) TypeText(std::string(1, Key));
}

void TCustomEdit::DoEnter() {
    if (AutoSelect && !enteringByMouse_ && !dynamic_cast<TMemo*>(this)) SelectAll();
    TWinControl::DoEnter();
}

int64_t TCustomEdit::Perform(uint32_t Msg, uint64_t WParam, int64_t LParam) {
    const int w = static_cast<int>(static_cast<int64_t>(WParam));
    switch (Msg) {
    case EM_GETSEL: return buf_.SelStart | (static_cast<int64_t>(buf_.SelStart + buf_.SelLength) << 16);
    case EM_SETSEL:
        if (w < 0) {
            buf_.SelLength = 0;
        } else {
            const int to = LParam < 0 ? Len(buf_.Text) : static_cast<int>(LParam);
            buf_.SelStart = std::min(w, to);
            buf_.SelLength = std::abs(to - w);
        }
        buf_.ClampSelection();
        SelectionChanged();
        return 0;
    case EM_GETMODIFY: return modified_ ? 1 : 0;
    case EM_SETMODIFY: modified_ = WParam != 0; return 0;
    case EM_SETREADONLY: SetReadOnly(WParam != 0); return 1;
    case EM_GETLINECOUNT: return 1;
    case EM_LINEINDEX: return w <= 0 ? 0 : -1;
    case EM_LINEFROMCHAR: return 0;
    case EM_LINELENGTH: return Len(buf_.Text);
    case EM_GETFIRSTVISIBLELINE: return 0;
    default: return 0;
    }
}

bool TCustomEdit::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "ReadOnly"))
        SetReadOnly(PropBool(V));
    else if (SameText(N, "MaxLength"))
        MaxLength = PropInt(V);
    else if (SameText(N, "PasswordChar")) {
        if (V.size() > 1 && V[0] == '#')
            SetPasswordChar(static_cast<char>(PropInt(V.substr(1))));
        else
            SetPasswordChar(V.empty() ? '\0' : V[0]);
    } else if (SameText(N, "AutoSelect"))
        AutoSelect = PropBool(V);
    else
        return TWinControl::SetProperty(N, V);
    return true;
}

bool TCustomEdit::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnChange")) return Bind(OnChange, H, E);
    return TWinControl::BindEvent(E, H);
}

bool TMaskEdit::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "EditMask"))
        EditMask = V;
    else
        return TCustomEdit::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TMemo

// The memo's lines as the platform's memo lists them.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo* Memo) : memo_(Memo) {}

    int Count() const override {
        const std::vector<std::pair<int, int>>& spans = memo_->CachedLineSpans();
        int n = static_cast<int>(spans.size());
        if (spans.back().second == 0) --n;
        return n;
    }

    std::string Get(int Index) const override {
        const std::vector<std::pair<int, int>>& spans = memo_->CachedLineSpans();
        if (Index < 0 || Index >= Count()) IndexError(Index);
        const auto& s = spans[static_cast<std::size_t>(Index)];
        return memo_->buf_.Text.substr(static_cast<std::size_t>(s.first), static_cast<std::size_t>(s.second));
    }

    void Put(int Index, const std::string& S) override {
        std::vector<std::pair<int, int>> spans;
        memo_->LineSpans(spans);
        if (Index < 0 || Index >= Count()) IndexError(Index);
        const auto& s = spans[static_cast<std::size_t>(Index)];
        memo_->ReplaceRange(s.first, s.second, S);
    }

    void Insert(int Index, const std::string& S) override {
        if (Index < 0 || Index > Count()) IndexError(Index);
        const int at = memo_->LineIndex(Index);
        if (at >= 0) {
            memo_->ReplaceRange(at, 0, S + "\r\n");
            return;
        }
        // Past the last line, which has no line break yet.
        const int prev = memo_->LineIndex(Index - 1);
        if (prev < 0) return;
        const int len = memo_->LineLength(prev);
        if (len == 0) return;
        memo_->ReplaceRange(prev + len, 0, "\r\n" + S);
    }

    void Delete(int Index) override {
        std::vector<std::pair<int, int>> spans;
        memo_->LineSpans(spans);
        if (Index < 0 || Index >= Count()) IndexError(Index);
        const int start = spans[static_cast<std::size_t>(Index)].first;
        const int end = static_cast<std::size_t>(Index) + 1 < spans.size()
                            ? spans[static_cast<std::size_t>(Index) + 1].first
                            : start + spans[static_cast<std::size_t>(Index)].second;
        memo_->ReplaceRange(start, end - start, "");
    }

    void Clear() override {
        memo_->SetText("");
        memo_->SetModified(false);
    }

private:
    TMemo* memo_;
};

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<TMemoStrings>(this)) {
    AutoSelect = false;
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

TStrings& TMemo::Lines() { return *lines_; }

void TMemo::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Changed(TControlChange::ccStyle);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    Changed(TControlChange::ccStyle);
}

int TMemo::ClientWidth() const {
    const bool vert = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    return std::max(0, Width() - 4 - (vert ? 16 : 0));
}

int TMemo::ClientHeight() const {
    const bool horz = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    return std::max(0, Height() - 4 - (horz ? 16 : 0));
}

const std::vector<std::pair<int, int>>& TMemo::CachedLineSpans() const {
    if (spansRevision_ != buf_.Revision) {
        LineSpans(spans_);
        spansRevision_ = buf_.Revision;
    }
    return spans_;
}

void TMemo::LineSpans(std::vector<std::pair<int, int>>& Spans) const {
    Spans.clear();
    const std::string& t = buf_.Text;
    const int n = Len(t);
    int start = 0;
    int i = 0;
    while (i < n) {
        if (t[static_cast<std::size_t>(i)] == '\r' || t[static_cast<std::size_t>(i)] == '\n') {
            Spans.emplace_back(start, i - start);
            if (t[static_cast<std::size_t>(i)] == '\r' && i + 1 < n && t[static_cast<std::size_t>(i) + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    Spans.emplace_back(start, n - start);
}

int TMemo::LineCount() const {
    std::vector<std::pair<int, int>> spans;
    LineSpans(spans);
    return static_cast<int>(spans.size());
}

int TMemo::LineFromChar(int CharIndex) const {
    if (CharIndex < 0) CharIndex = buf_.SelStart;
    std::vector<std::pair<int, int>> spans;
    LineSpans(spans);
    int line = 0;
    for (std::size_t i = 0; i < spans.size(); ++i)
        if (spans[i].first <= CharIndex) line = static_cast<int>(i);
    return line;
}

int TMemo::LineIndex(int Line) const {
    if (Line < 0) Line = LineFromChar(-1);
    std::vector<std::pair<int, int>> spans;
    LineSpans(spans);
    if (Line >= static_cast<int>(spans.size())) return -1;
    return spans[static_cast<std::size_t>(Line)].first;
}

int TMemo::LineLength(int CharIndex) const {
    std::vector<std::pair<int, int>> spans;
    LineSpans(spans);
    return spans[static_cast<std::size_t>(LineFromChar(CharIndex))].second;
}

int TMemo::LineHeight() const {
    TCanvas c;
    c.SetFont(Font());
    return c.TextHeight("Ag");
}

int TMemo::VisibleLineCount() const {
    const int h = LineHeight();
    return h > 0 ? ClientHeight() / h : 0;
}

void TMemo::LineScroll(int Lines) {
    const int maxTop = std::max(0, LineCount() - VisibleLineCount());
    const int top = Clamp(topLine_ + Lines, 0, maxTop);
    if (top == topLine_) return;
    topLine_ = top;
    Changed(TControlChange::ccScroll);
}

void TMemo::ScrollCaret() {
    const int line = LineFromChar(-1);
    const int visible = std::max(1, VisibleLineCount());
    if (line < topLine_)
        LineScroll(line - topLine_);
    else if (line >= topLine_ + visible)
        LineScroll(line - visible + 1 - topLine_);
}

TPoint TMemo::CaretPos() const {
    const int line = LineFromChar(-1);
    return Point(buf_.SelStart - LineIndex(line), line);
}

void TMemo::ReplaceRange(int Start, int Length, const std::string& S) {
    Start = Clamp(Start, 0, Len(buf_.Text));
    Length = Clamp(Length, 0, Len(buf_.Text) - Start);
    buf_.Text.replace(static_cast<std::size_t>(Start), static_cast<std::size_t>(Length), S);
    ++buf_.Revision;
    buf_.SelStart = Start + Len(S);
    buf_.SelLength = 0;
    topLine_ = Clamp(topLine_, 0, std::max(0, LineCount() - 1));
    Changed(TControlChange::ccText);
    Change();
}

void TMemo::SetTextValue(const std::string& Value) {
    topLine_ = 0;
    TCustomEdit::SetTextValue(Value);
}

void TMemo::MoveCaretToLine(int Line, int Column, bool Extend) {
    std::vector<std::pair<int, int>> spans;
    LineSpans(spans);
    Line = Clamp(Line, 0, static_cast<int>(spans.size()) - 1);
    const auto& s = spans[static_cast<std::size_t>(Line)];
    const int pos = s.first + Clamp(Column, 0, s.second);
    if (Extend) {
        const int anchor = buf_.SelStart;
        buf_.SelStart = std::min(anchor, pos);
        buf_.SelLength = std::abs(pos - anchor);
    } else {
        buf_.SelStart = pos;
        buf_.SelLength = 0;
    }
    ScrollCaret();
    SelectionChanged();
}

bool TMemo::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (Key == VK_RETURN) return WantReturns;
    if (Key == VK_TAB) return WantTabs && !Shift.Contains(TShiftFlag::ssCtrl);
    return TCustomEdit::WantsKey(Key, Shift);
}

void TMemo::DefaultKeyDown(uint16_t Key, TShiftState Shift) {
    const bool shift = Shift.Contains(TShiftFlag::ssShift);
    const bool ctrl = Shift.Contains(TShiftFlag::ssCtrl);
    const TPoint caret = CaretPos();
    switch (Key) {
    case VK_UP: MoveCaretToLine(caret.Y - 1, caret.X, shift); return;
    case VK_DOWN: MoveCaretToLine(caret.Y + 1, caret.X, shift); return;
    case VK_PRIOR:
    case VK_NEXT: {
        const int page = std::max(1, VisibleLineCount());
        const int step = Key == VK_NEXT ? page : -page;
        LineScroll(step);
        MoveCaretToLine(caret.Y + step, caret.X, shift);
        return;
    }
    case VK_HOME:
        if (ctrl)
            MoveCaretToLine(0, 0, shift);
        else
            MoveCaretToLine(caret.Y, 0, shift);
        return;
    case VK_END:
        if (ctrl)
            MoveCaretToLine(LineCount() - 1, Len(buf_.Text), shift);
        else
            MoveCaretToLine(caret.Y, Len(buf_.Text), shift);
        return;
    case VK_LEFT:
    case VK_RIGHT: {
        TCustomEdit::DefaultKeyDown(Key, Shift);
        // A caret never stands between CR and LF.
        const std::string& t = buf_.Text;
        const int p = buf_.SelStart + (Key == VK_RIGHT && shift ? buf_.SelLength : 0);
        if (p > 0 && p < Len(t) && t[static_cast<std::size_t>(p) - 1] == '\r' &&
            t[static_cast<std::size_t>(p)] == '\n') {
            if (Key == VK_LEFT && !shift)
                --buf_.SelStart;
            else if (Key == VK_RIGHT && !shift)
                ++buf_.SelStart;
            else if (Key == VK_LEFT) {
                --buf_.SelStart;
                ++buf_.SelLength;
            } else {
                ++buf_.SelLength;
            }
        }
        ScrollCaret();
        return;
    }
    default: TCustomEdit::DefaultKeyDown(Key, Shift); return;
    }
}

void TMemo::DefaultChar(char Key) {
    if (Key == '\r') {
        if (WantReturns) TypeText("\r\n");
        return;
    }
    if (Key == '\t') {
        if (WantTabs) TypeText("\t");
        return;
    }
    if (Key == '\b' && !readOnly_ && buf_.SelLength == 0 && buf_.SelStart >= 2 &&
        buf_.Text.compare(static_cast<std::size_t>(buf_.SelStart) - 2, 2, "\r\n") == 0) {
        buf_.SelStart -= 2;
        buf_.SelLength = 2;
        buf_.ReplaceSelection("");
        UserChanged();
        return;
    }
    TCustomEdit::DefaultChar(Key);
}

int64_t TMemo::Perform(uint32_t Msg, uint64_t WParam, int64_t LParam) {
    const int w = static_cast<int>(static_cast<int64_t>(WParam));
    switch (Msg) {
    case EM_GETLINECOUNT: return LineCount();
    case EM_LINEINDEX: return LineIndex(w);
    case EM_LINEFROMCHAR: return LineFromChar(w);
    case EM_LINELENGTH: return LineLength(w);
    case EM_GETFIRSTVISIBLELINE: return topLine_;
    case EM_LINESCROLL: LineScroll(static_cast<int>(LParam)); return 1;
    case EM_SCROLLCARET: ScrollCaret(); return 1;
    case EM_SCROLL: {
        const int before = topLine_;
        const int page = std::max(1, VisibleLineCount());
        switch (WParam) {
        case SB_LINEUP: LineScroll(-1); break;
        case SB_LINEDOWN: LineScroll(1); break;
        case SB_PAGEUP: LineScroll(-page); break;
        case SB_PAGEDOWN: LineScroll(page); break;
        default: return 0;
        }
        return (int64_t{1} << 16) | std::abs(topLine_ - before);
    }
    default: return TCustomEdit::Perform(Msg, WParam, LParam);
    }
}

bool TMemo::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Alignment"))
        SetAlignment(PropAlignment(V));
    else if (SameText(N, "ScrollBars"))
        SetScrollBars(PropEnum<TScrollStyle>(V, {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}));
    else if (SameText(N, "WordWrap"))
        WordWrap = PropBool(V);
    else if (SameText(N, "WantReturns"))
        WantReturns = PropBool(V);
    else if (SameText(N, "WantTabs"))
        WantTabs = PropBool(V);
    else
        return TCustomEdit::SetProperty(N, V);
    return true;
}

// ---------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      items_(std::make_unique<TItemStrings>([this](TItemsChange c, int i) { ItemsChanged(c, i); })) {
    SetTabStop(true);
    color_ = clWindow;
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() = default;

void TComboBox::ItemsChanged(TItemsChange Change, int Index) {
    const int before = itemIndex_;
    if (Change == TItemsChange::icUpdated) {
        // The selected text keeps its selection after a sort.
        if (itemIndex_ >= 0) {
            itemIndex_ = -1;
            for (int i = 0; i < items_->Count() && itemIndex_ < 0; ++i)
                if (items_->Get(i) == edit_.Text) itemIndex_ = i;
        }
    } else {
        itemIndex_ = SelectionAfter(itemIndex_, Change, Index);
        // An editable combo box keeps its text; a list shows only its selection.
        if (itemIndex_ < 0 && before >= 0 && !Editable()) edit_ = TEditBuffer{};
        if (Change == TItemsChange::icClear && !Editable()) edit_ = TEditBuffer{};
    }
    Changed(TControlChange::ccItems);
    if (before != itemIndex_) Changed(TControlChange::ccItemIndex);
}

void TComboBox::SetItemIndex(int Value) {
    if (Value < -1 || Value >= items_->Count()) Value = -1;
    itemIndex_ = Value;
    edit_.Text = Value >= 0 ? items_->Get(Value) : std::string();
    edit_.SelectAll();
    Changed(TControlChange::ccItemIndex);
    Changed(TControlChange::ccText);
}

void TComboBox::SetTextValue(const std::string& Value) {
    if (Editable()) {
        edit_.Text = Value;
        edit_.SelStart = 0;
        edit_.SelLength = 0;
        itemIndex_ = -1;
        for (int i = 0; i < items_->Count(); ++i)
            if (items_->Get(i) == Value) {
                itemIndex_ = i;
                break;
            }
    } else {
        itemIndex_ = items_->IndexOf(Value);
        edit_.Text = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
        edit_.SelectAll();
    }
    Changed(TControlChange::ccText);
    Changed(TControlChange::ccItemIndex);
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    if (!Editable()) edit_.Text = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
    Changed(TControlChange::ccStyle);
}

bool TComboBox::Sorted() const { return items_->Sorted; }

void TComboBox::SetSorted(bool Value) {
    if (items_->Sorted == Value) return;
    items_->Sorted = Value;
    if (Value) items_->Sort();
}

void TComboBox::SetDroppedDown(bool Value) {
    if (droppedDown_ == Value) return;
    droppedDown_ = Value;
    Changed(TControlChange::ccStyle);
    if (Value) DropDown();
}

void TComboBox::SelectAll() {
    edit_.SelectAll();
    Changed(TControlChange::ccSelection);
}

void TComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::UserPick(int Index) {
    if (Index < 0 || Index >= items_->Count()) return;
    const std::string item = items_->Get(Index);
    const bool changed = Index != itemIndex_ || edit_.Text != item;
    itemIndex_ = Index;
    edit_.Text = item;
    edit_.SelectAll();
    Changed(TControlChange::ccItemIndex);
    Changed(TControlChange::ccText);
    if (changed) {
        Click();
        Change();
    }
}

bool TComboBox::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) return true;
    return droppedDown_ && (Key == VK_RETURN || Key == VK_ESCAPE);
}

void TComboBox::DefaultKeyDown(uint16_t Key, TShiftState Shift) {
    const bool alt = Shift.Contains(TShiftFlag::ssAlt);
    if (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
        SetDroppedDown(!droppedDown_);
        return;
    }
    switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE: SetDroppedDown(false); return;
    case VK_DOWN:
        if (items_->Count() > 0) UserPick(std::min(items_->Count() - 1, itemIndex_ + 1));
        return;
    case VK_UP:
        if (items_->Count() > 0) UserPick(std::max(0, itemIndex_ - 1));
        return;
    case VK_HOME:
        if (!Editable() && items_->Count() > 0)
            UserPick(0);
        else
            edit_.SelStart = edit_.SelLength = 0;
        return;
    case VK_END:
        if (!Editable() && items_->Count() > 0)
            UserPick(items_->Count() - 1);
        else {
            edit_.SelStart = Len(edit_.Text);
            edit_.SelLength = 0;
        }
        return;
    case VK_DELETE:
        if (Editable()) {
            edit_.ClampSelection();
            if (edit_.SelLength == 0 && edit_.SelStart < Len(edit_.Text)) edit_.SelLength = 1;
            if (edit_.SelLength > 0) {
                edit_.ReplaceSelection("");
                itemIndex_ = -1;
                Changed(TControlChange::ccText);
                Change();
            }
        }
        return;
    default: return;
    }
}

void TComboBox::DefaultChar(char Key) {
    if (!Editable()) {
        if (static_cast<unsigned char>(Key) < 32) return;
        const int n = items_->Count();
        for (int k = 1; k <= n; ++k) {
            const int i = (itemIndex_ + k + n) % n;
            const std::string item = items_->Get(i);
            if (!item.empty() && UpCase(item[0]) == UpCase(Key)) {
                UserPick(i);
                return;
            }
        }
        return;
    }
    edit_.ClampSelection();
    if (Key == '\b') {
        if (edit_.SelLength == 0) {
            if (edit_.SelStart == 0) return;
            --edit_.SelStart;
            edit_.SelLength = 1;
        }
        edit_.ReplaceSelection("");
    } else if (static_cast<unsigned char>(Key) >= 32) {
        if (MaxLength > 0 && Len(edit_.Text) - edit_.SelLength >= MaxLength) return;
        edit_.ReplaceSelection(std::string(1, Key));
    } else {
        return;
    }
    itemIndex_ = -1;
    Changed(TControlChange::ccText);
    Change();
}

void TComboBox::DoEnter() {
    if (Editable()) edit_.SelectAll();
    TWinControl::DoEnter();
}

bool TComboBox::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Style"))
        SetStyle(PropEnum<TComboBoxStyle>(
            V, {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}));
    else if (SameText(N, "ItemIndex"))
        SetItemIndex(PropInt(V));
    else if (SameText(N, "Sorted"))
        SetSorted(PropBool(V));
    else if (SameText(N, "DropDownCount"))
        DropDownCount = PropInt(V);
    else if (SameText(N, "MaxLength"))
        MaxLength = PropInt(V);
    else
        return TWinControl::SetProperty(N, V);
    return true;
}

bool TComboBox::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnChange")) return Bind(OnChange, H, E);
    if (SameText(E, "OnDropDown")) return Bind(OnDropDown, H, E);
    return TWinControl::BindEvent(E, H);
}

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent* AOwner)
    : TCustomControl(AOwner),
      items_(std::make_unique<TItemStrings>([this](TItemsChange c, int i) { ItemsChanged(c, i); })) {
    SetTabStop(true);
    color_ = clWindow;
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() = default;

void TListBox::ItemsChanged(TItemsChange Change, int Index) {
    const int before = itemIndex_;
    itemIndex_ = SelectionAfter(itemIndex_, Change, Index);
    if (Change == TItemsChange::icClear) topIndex_ = 0;
    topIndex_ = Clamp(topIndex_, 0, std::max(0, items_->Count() - 1));
    Changed(TControlChange::ccItems);
    if (before != itemIndex_) Changed(TControlChange::ccItemIndex);
    Invalidate();
}

void TListBox::SetItemIndex(int Value) {
    if (Value < -1 || Value >= items_->Count()) Value = -1;
    if (itemIndex_ == Value) return;
    itemIndex_ = Value;
    Changed(TControlChange::ccItemIndex);
    Invalidate();
}

void TListBox::SetTopIndex(int Value) {
    Value = Clamp(Value, 0, std::max(0, items_->Count() - 1));
    if (topIndex_ == Value) return;
    topIndex_ = Value;
    Changed(TControlChange::ccScroll);
    Invalidate();
}

void TListBox::SetStyle(TListBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed(TControlChange::ccStyle);
    Invalidate();
}

int TListBox::ItemHeight() const {
    if (style_ == TListBoxStyle::lbStandard) {
        TCanvas c;
        c.SetFont(Font());
        return c.TextHeight("Ag");
    }
    return itemHeight_ > 0 ? itemHeight_ : 16;
}

void TListBox::SetItemHeight(int Value) {
    if (Value <= 0 || itemHeight_ == Value) return;
    itemHeight_ = Value;
    Changed(TControlChange::ccStyle);
    Invalidate();
}

bool TListBox::Sorted() const { return items_->Sorted; }

void TListBox::SetSorted(bool Value) {
    if (items_->Sorted == Value) return;
    items_->Sorted = Value;
    if (Value) {
        const std::string selected = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
        items_->Sort();
        if (itemIndex_ >= 0) itemIndex_ = items_->IndexOf(selected);
    }
}

int TListBox::ClientWidth() const { return std::max(0, Width() - 4); }
int TListBox::ClientHeight() const { return std::max(0, Height() - 4); }

TRect TListBox::ItemRect(int Index) const {
    const int h = ItemHeight();
    const int top = (Index - topIndex_) * h;
    return Rect(0, top, ClientWidth(), top + h);
}

void TListBox::Paint() {
    if (style_ == TListBoxStyle::lbStandard && !OnDrawItem) return;
    for (int i = topIndex_; i < items_->Count(); ++i) {
        const TRect r = ItemRect(i);
        if (r.Top >= ClientHeight()) break;
        TOwnerDrawState state;
        if (i == itemIndex_) {
            state.Include(TOwnerDrawStateFlag::odSelected);
            if (Focused()) state.Include(TOwnerDrawStateFlag::odFocused);
        }
        if (!Enabled()) state.Include(TOwnerDrawStateFlag::odDisabled);
        DrawItem(i, r, state);
    }
}

void TListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    canvas_.SetFont(Font());
    canvas_.Brush().SetColor(Color());
    if (State.Contains(TOwnerDrawStateFlag::odSelected)) {
        canvas_.Brush().SetColor(clHighlight);
        canvas_.Font().SetColor(clHighlightText);
    }
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
    } else {
        canvas_.FillRect(Rect);
        canvas_.TextOut(Rect.Left + 2, Rect.Top, items_->Get(Index));
    }
}

void TListBox::UserSelectItem(int Index) {
    if (Index < 0 || Index >= items_->Count()) return;
    if (itemIndex_ != Index) {
        itemIndex_ = Index;
        Changed(TControlChange::ccItemIndex);
        Invalidate();
    }
    Click();
}

bool TListBox::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TListBox::DefaultKeyDown(uint16_t Key, TShiftState /*Shift*/) {
    const int n = items_->Count();
    if (n == 0) return;
    const int page = std::max(1, ClientHeight() / std::max(1, ItemHeight()));
    int to = itemIndex_;
    switch (Key) {
    case VK_UP:
    case VK_LEFT: to = std::max(0, itemIndex_ - 1); break;
    case VK_DOWN:
    case VK_RIGHT: to = std::min(n - 1, itemIndex_ + 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = n - 1; break;
    case VK_PRIOR: to = std::max(0, itemIndex_ - page); break;
    case VK_NEXT: to = std::min(n - 1, std::max(0, itemIndex_) + page); break;
    default: return;
    }
    if (to == itemIndex_) return;
    if (to < topIndex_)
        SetTopIndex(to);
    else if (to >= topIndex_ + page)
        SetTopIndex(to - page + 1);
    UserSelectItem(to);
}

bool TListBox::SetProperty(const std::string& N, const std::string& V) {
    if (SameText(N, "Style"))
        SetStyle(PropEnum<TListBoxStyle>(V, {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}));
    else if (SameText(N, "ItemHeight"))
        SetItemHeight(PropInt(V));
    else if (SameText(N, "ItemIndex"))
        SetItemIndex(PropInt(V));
    else if (SameText(N, "TopIndex"))
        SetTopIndex(PropInt(V));
    else if (SameText(N, "Sorted"))
        SetSorted(PropBool(V));
    else
        return TCustomControl::SetProperty(N, V);
    return true;
}

bool TListBox::BindEvent(const std::string& E, const std::any& H) {
    if (SameText(E, "OnDrawItem")) return Bind(OnDrawItem, H, E);
    return TCustomControl::BindEvent(E, H);
}

} // namespace trx
