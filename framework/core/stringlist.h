// String lists: TStrings (the abstract list of the framework) and TStringList.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/exceptions.h"

namespace trx {

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Out-of-range indexes raise EListError "List index out of bounds (<i>)".
class TStrings : public TObject {
public:
    ~TStrings() override = default;

    virtual int Count() const = 0;
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* Obj);
    virtual void Insert(int Index, const std::string& S) = 0;
    void InsertObject(int Index, const std::string& S, TObject* Obj);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& S);
    int AddObject(const std::string& S, TObject* Obj);
    void Append(const std::string& S) { Add(S); }
    void AddStrings(const TStrings& Strings);
    virtual void Assign(const TStrings& Source);
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);

    // Case-insensitive search; -1 when absent.
    virtual int IndexOf(const std::string& S) const;
    int IndexOfObject(const TObject* Obj) const;
    // "Name=Value" lines.
    int IndexOfName(const std::string& Name) const;
    std::string Names(int Index) const;
    std::string Values(const std::string& Name) const;
    void SetValue(const std::string& Name, const std::string& Value);

    // Every line followed by CR LF. SetText splits at CR LF, CR or LF.
    std::string Text() const;
    void SetText(std::string_view Value);
    // Comma-separated, quoting items that hold blanks, commas or quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view Value);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    std::string operator[](int Index) const { return Get(Index); }
    bool Equals(const TStrings& Other) const;

protected:
    [[noreturn]] static void IndexError(int Index);
    virtual void SetUpdateState(bool /*Updating*/) {}

private:
    int updateCount_ = 0;
};

enum class TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);
    ~TStringList() override = default;

    int Count() const final { return static_cast<int>(items_.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* Obj) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const std::string& S) override;
    int IndexOf(const std::string& S) const override;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    // Binary search of a sorted list; Index is where S is or would be.
    bool Find(const std::string& S, int& Index) const;
    void Sort();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Direct access to a line without bounds checks on the caller's side.
    std::string& Ref(int Index) {
        if (Index < 0 || static_cast<std::size_t>(Index) >= items_.size()) IndexError(Index);
        return items_[static_cast<std::size_t>(Index)].first;
    }
    const std::string& Ref(int Index) const {
        if (Index < 0 || static_cast<std::size_t>(Index) >= items_.size()) IndexError(Index);
        return items_[static_cast<std::size_t>(Index)].first;
    }

protected:
    void SetUpdateState(bool Updating) override;
    void Changing();
    void Changed();

private:
    void InsertItem(int Index, const std::string& S, TObject* Obj);
    std::vector<std::pair<std::string, TObject*>> items_;
    bool sorted_ = false;
};

} // namespace trx
