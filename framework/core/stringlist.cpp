#include "framework/core/stringlist.h"

#include <algorithm>

#include "framework/core/strings.h"

namespace trx {

// ---- TStrings --------------------------------------------------------------

void TStrings::IndexError(int Index) { throw EListError("List index out of bounds (" + IntToStr(Index) + ")"); }

void TStrings::Put(int Index, const std::string& S) {
    TObject* obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return nullptr;
}

void TStrings::PutObject(int Index, TObject*) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* Obj) {
    Insert(Index, S);
    PutObject(Index, Obj);
}

int TStrings::Add(const std::string& S) {
    const int n = Count();
    Insert(n, S);
    return n;
}

int TStrings::AddObject(const std::string& S, TObject* Obj) {
    const int i = Add(S);
    PutObject(i, Obj);
    return i;
}

void TStrings::AddStrings(const TStrings& Strings) {
    BeginUpdate();
    for (int i = 0; i < Strings.Count(); ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& Source) {
    if (&Source == this) return;
    BeginUpdate();
    Clear();
    AddStrings(Source);
    EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2) {
    const std::string s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    const std::string s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
}

int TStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareText(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* Obj) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == Obj) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        const int p = Pos("=", s);
        if (p != 0 && CompareText(Copy(s, 1, p - 1), Name) == 0) return i;
    }
    return -1;
}

std::string TStrings::Names(int Index) const {
    const std::string s = Get(Index);
    const int p = Pos("=", s);
    return p == 0 ? std::string() : Copy(s, 1, p - 1);
}

std::string TStrings::Values(const std::string& Name) const {
    const int i = IndexOfName(Name);
    if (i < 0) return {};
    const std::string s = Get(i);
    return Copy(s, Length(Name) + 2, Length(s));
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
    const int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(i, Name + "=" + Value);
    }
}

std::string TStrings::Text() const {
    std::string r;
    for (int i = 0; i < Count(); ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(std::string_view Value) {
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    while (i < Value.size()) {
        std::size_t j = i;
        while (j < Value.size() && Value[j] != '\r' && Value[j] != '\n') ++j;
        Add(std::string(Value.substr(i, j - i)));
        if (j < Value.size() && Value[j] == '\r') ++j;
        if (j < Value.size() && Value[j] == '\n') ++j;
        i = j;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    std::string r;
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        bool quote = s.empty();
        for (char c : s)
            if (static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"') quote = true;
        if (i > 0) r += ',';
        if (!quote) {
            r += s;
        } else {
            r += '"';
            for (char c : s) {
                if (c == '"') r += '"';
                r += c;
            }
            r += '"';
        }
    }
    return r;
}

void TStrings::SetCommaText(std::string_view Value) {
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < Value.size() && static_cast<unsigned char>(Value[i]) <= ' ') ++i;
    };
    skipBlanks();
    while (i < Value.size()) {
        std::string item;
        if (Value[i] == '"') {
            ++i;
            while (i < Value.size()) {
                if (Value[i] == '"') {
                    if (i + 1 < Value.size() && Value[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
        } else {
            while (i < Value.size() && static_cast<unsigned char>(Value[i]) > ' ' && Value[i] != ',')
                item += Value[i++];
        }
        Add(item);
        skipBlanks();
        if (i < Value.size() && Value[i] == ',') {
            ++i;
            skipBlanks();
            if (i >= Value.size()) Add("");
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    // The outermost block announces the change before it counts itself.
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

bool TStrings::Equals(const TStrings& Other) const {
    if (Count() != Other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != Other.Get(i)) return false;
    return true;
}

// ---- TStringList -----------------------------------------------------------

TStringList::TStringList(const TStringList& other)
    : TStrings(), Duplicates(other.Duplicates), items_(other.items_), sorted_(other.sorted_) {}

TStringList& TStringList::operator=(const TStringList& other) {
    if (this != &other) {
        Changing();
        items_ = other.items_;
        sorted_ = other.sorted_;
        Duplicates = other.Duplicates;
        Changed();
    }
    return *this;
}

std::string TStringList::Get(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return items_[static_cast<std::size_t>(Index)].first;
}

void TStringList::Put(int Index, const std::string& S) {
    if (sorted_) throw EListError("Operation not allowed on sorted string list");
    if (Index < 0 || Index >= Count()) IndexError(Index);
    Changing();
    items_[static_cast<std::size_t>(Index)].first = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return items_[static_cast<std::size_t>(Index)].second;
}

void TStringList::PutObject(int Index, TObject* Obj) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    Changing();
    items_[static_cast<std::size_t>(Index)].second = Obj;
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* Obj) {
    Changing();
    items_.insert(items_.begin() + Index, {S, Obj});
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
    if (sorted_) throw EListError("Operation not allowed on sorted string list");
    if (Index < 0 || Index > Count()) IndexError(Index);
    InsertItem(Index, S, nullptr);
}

int TStringList::Add(const std::string& S) {
    if (!sorted_) {
        const int n = Count();
        InsertItem(n, S, nullptr);
        return n;
    }
    int at = 0;
    if (Find(S, at)) {
        if (Duplicates == TDuplicates::dupIgnore) return at;
        if (Duplicates == TDuplicates::dupError) throw EListError("String list does not allow duplicates");
    }
    InsertItem(at, S, nullptr);
    return at;
}

void TStringList::Delete(int Index) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    Changing();
    items_.erase(items_.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::IndexOf(const std::string& S) const {
    if (!sorted_) return TStrings::IndexOf(S);
    int at = 0;
    return Find(S, at) ? at : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareText(items_[static_cast<std::size_t>(mid)].first, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept) lo = mid;
            }
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (Value == sorted_) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

} // namespace trx
