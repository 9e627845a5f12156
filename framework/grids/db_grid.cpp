#include "framework/grids/db_grid.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "framework/data/dataset.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/property_values.h"

namespace trx {

// ---- The grid's link to its data source ---------------------------------------

class TDBGrid::TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(TDBGrid& Grid) : grid_(Grid) {}

protected:
    void ActiveChanged() override { grid_.LinkActive(Active()); }
    void DataSetChanged() override { grid_.Invalidate(); }

private:
    TDBGrid& grid_;
};

// ---- Titles and columns --------------------------------------------------------

std::string TColumnTitle::Caption() const {
    if (captionSet_) return caption_;
    if (const TField* f = column_.Field()) return f->DisplayName();
    return column_.FieldName();
}

void TColumnTitle::SetCaption(const std::string& Value) {
    caption_ = Value;
    captionSet_ = true;
    column_.Grid().Invalidate();
}

TColumn::TColumn(TDBGrid& Grid) : grid_(Grid), title_(*this) {}

int TColumn::Index() const { return grid_.Columns().IndexOf(this); }

void TColumn::SetFieldName(const std::string& Value) {
    fieldName_ = Value;
    grid_.Invalidate();
}

TField* TColumn::Field() const {
    TDataSet* ds = grid_.DataSet();
    if (!ds || !ds->Active() || fieldName_.empty()) return nullptr;
    return ds->FindField(fieldName_);
}

void TColumn::SetField(TField* Value) { SetFieldName(Value ? Value->FieldName : std::string()); }

int TColumn::Width() const {
    if (width_ >= 0) return width_;
    // A field as wide as its declared size (which may be very large) gives
    // at most the largest width there is.
    if (const TField* f = Field()) {
        const int64_t wid = static_cast<int64_t>(std::max(f->DisplayWidth(), 0)) * grid_.Canvas().TextWidth("0") + 4;
        return static_cast<int>(std::min<int64_t>(wid, INT_MAX));
    }
    return grid_.DefaultColWidth();
}

void TColumn::SetWidth(int Value) {
    width_ = std::max(Value, 0);
    grid_.Invalidate();
}

void TColumn::SetVisible(bool Value) {
    visible_ = Value;
    grid_.Invalidate();
}

TColumn* TDBGridColumns::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return items_[static_cast<std::size_t>(Index)].get();
}

int TDBGridColumns::IndexOf(const TColumn* Column) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == Column) return static_cast<int>(i);
    return -1;
}

TColumn* TDBGridColumns::Add() {
    if (state_ == TDBGridColumnsState::csDefault) {
        items_.clear();
        state_ = TDBGridColumnsState::csCustomized;
    }
    items_.push_back(std::make_unique<TColumn>(grid_));
    grid_.LayoutChanged();
    return items_.back().get();
}

void TDBGridColumns::Delete(int Index) {
    Items(Index);
    items_.erase(items_.begin() + Index);
    grid_.LayoutChanged();
}

void TDBGridColumns::Clear() {
    items_.clear();
    grid_.LayoutChanged();
}

void TDBGridColumns::RebuildColumns() {
    state_ = TDBGridColumnsState::csDefault;
    MakeDefault();
}

void TDBGridColumns::MakeDefault() {
    items_.clear();
    TDataSet* ds = grid_.DataSet();
    if (ds && ds->Active()) {
        for (int i = 0; i < ds->FieldCount(); ++i) {
            TField* f = ds->Fields(i);
            if (!f->Visible) continue;
            items_.push_back(std::make_unique<TColumn>(grid_));
            items_.back()->SetFieldName(f->FieldName);
        }
    }
    grid_.LayoutChanged();
}

// ---- The grid --------------------------------------------------------------------

TDBGrid::TDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner), dataLink_(std::make_unique<TGridDataLink>(*this)), columns_(*this) {
    SetColCount(2);
    SetRowCount(2);
}

TDBGrid::~TDBGrid() { dataLink_->SetDataSource(nullptr); }

TDataSource* TDBGrid::DataSource() const { return dataLink_->DataSource(); }

void TDBGrid::SetDataSource(TDataSource* Value) {
    dataLink_->SetDataSource(Value);
    // A link that stays inactive still shows the new source's columns.
    if (!dataLink_->Active() && columns_.State() == TDBGridColumnsState::csDefault) columns_.MakeDefault();
}

TDataSet* TDBGrid::DataSet() const { return dataLink_->DataSet(); }

TField* TDBGrid::Fields(int Index) const {
    if (Index < 0 || Index >= columns_.Count()) return nullptr;
    return columns_.Items(Index)->Field();
}

int TDBGrid::SelectedIndex() const { return std::clamp(Col() - FixedCols(), 0, std::max(columns_.Count() - 1, 0)); }

void TDBGrid::SetSelectedIndex(int Value) { SetCol(FixedCols() + Value); }

TField* TDBGrid::SelectedField() const { return Fields(SelectedIndex()); }

void TDBGrid::LinkActive(bool /*Active*/) {
    if (columns_.State() == TDBGridColumnsState::csDefault)
        columns_.MakeDefault();
    else
        LayoutChanged();
}

void TDBGrid::LayoutChanged() {
    // One grid column per column, after the record indicator.
    SetColCount(std::max(columns_.Count(), 1) + 1);
    Invalidate();
}

bool TDBGrid::SetProperty(const std::string& Name, const std::string& Value) {
    if (!SameText(Name, "ReadOnly")) return TCustomGrid::SetProperty(Name, Value);
    ReadOnly = PropBool(Value);
    return true;
}

void RegisterDBGridLayoutKind() {
    if (!IsComponentClassRegistered("TDBGrid"))
        RegisterComponentClass("TDBGrid", [](TComponent* Owner) { return new TDBGrid(Owner); });
}

} // namespace trx
