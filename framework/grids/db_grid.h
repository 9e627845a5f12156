// TDBGrid: a grid that shows the records of a dataset through a data
// source, one column per field shown.
//
// Its columns are either the default ones, made again from the dataset's
// visible fields whenever the dataset opens, or columns the application
// added (Columns().Add()), which stay as they are. A column names its field;
// Field() looks that name up in the open dataset each time, so it is null
// while the dataset is closed or has no such field, and never dangles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/data_source.h"
#include "framework/grids/custom_grid.h"

namespace trx {

class TDBGrid;
class TColumn;

// The title of a column. Its caption is the field's display name until the
// application gives it one.
class TColumnTitle {
public:
    explicit TColumnTitle(TColumn& Column) : column_(Column) {}
    std::string Caption() const;
    void SetCaption(const std::string& Value);
    // Back to the default caption.
    void RestoreDefaults() {
        captionSet_ = false;
        caption_.clear();
    }

private:
    TColumn& column_;
    std::string caption_;
    bool captionSet_ = false;
};

class TColumn : public TObject {
public:
    explicit TColumn(TDBGrid& Grid);
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    TDBGrid& Grid() const { return grid_; }
    // Position among the grid's columns.
    int Index() const;

    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& Value);
    // The field of FieldName in the grid's open dataset, or nullptr.
    TField* Field() const;
    void SetField(TField* Value);

    TColumnTitle& Title() { return title_; }
    const TColumnTitle& Title() const { return title_; }

    // Width on screen in pixels: until set, the field's display width in
    // digits of the grid's font plus a small margin, or the grid's default
    // column width without a field.
    int Width() const;
    void SetWidth(int Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);

private:
    TDBGrid& grid_;
    std::string fieldName_;
    TColumnTitle title_;
    int width_ = -1; // -1 until set
    bool visible_ = true;
};

enum class TDBGridColumnsState : uint8_t { csDefault, csCustomized };

class TDBGridColumns {
public:
    explicit TDBGridColumns(TDBGrid& Grid) : grid_(Grid) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError for an index out of range.
    TColumn* Items(int Index) const;
    TColumn* operator[](int Index) const { return Items(Index); }
    int IndexOf(const TColumn* Column) const;

    // A new column at the end. The first column added replaces the default
    // columns, and the columns become the application's.
    TColumn* Add();
    void Delete(int Index);
    void Clear();
    TDBGridColumnsState State() const { return state_; }
    // Back to default columns, made from the dataset's visible fields.
    void RebuildColumns();

private:
    friend class TDBGrid;
    void MakeDefault();

    TDBGrid& grid_;
    std::vector<std::unique_ptr<TColumn>> items_;
    TDBGridColumnsState state_ = TDBGridColumnsState::csDefault;
};

class TDBGrid : public TCustomGrid {
public:
    explicit TDBGrid(TComponent* AOwner);
    ~TDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    // The data source's dataset, or nullptr.
    TDataSet* DataSet() const;

    TDBGridColumns& Columns() { return columns_; }
    const TDBGridColumns& Columns() const { return columns_; }

    // One per column; Fields(i) is the field of column i, or nullptr.
    int FieldCount() const { return columns_.Count(); }
    TField* Fields(int Index) const;

    // The field of the current column, or nullptr.
    TField* SelectedField() const;
    // The current column among Columns (the grid's Col less the indicator).
    int SelectedIndex() const;
    void SetSelectedIndex(int Value);

    // The grid only shows its data; kept for the backends, which offer no
    // cell editor while it is set.
    bool ReadOnly = false;

    bool SetProperty(const std::string& Name, const std::string& Value) override;

private:
    class TGridDataLink;
    friend class TGridDataLink;
    friend class TDBGridColumns;
    void LinkActive(bool Active);
    void LayoutChanged();

    std::unique_ptr<TGridDataLink> dataLink_;
    TDBGridColumns columns_;
};

// Makes "TDBGrid" a kind that form layouts can name; calling it again does no harm.
void RegisterDBGridLayoutKind();

} // namespace trx
