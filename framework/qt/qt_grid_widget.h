// A grid as a real window shows it: the fixed rows and columns over the
// cells, drawn from texts read off the model. The widget holds only the
// rows it shows; reading them (ReadGrid) is the model's business and runs
// in the model's loop, never in a paint. Scrolling down asks the model for
// the rows further on (OnScrolled); scrolling across is the widget's own.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>

#include <functional>
#include <vector>

namespace trx {

class TCustomGrid;

class TQtGrid : public QAbstractScrollArea {
public:
    explicit TQtGrid(QWidget* Parent);

    // Widths of every column (fixed ones first), the height of a row.
    std::vector<int> ColWidths;
    int RowHeight = 18;
    int FixedCols = 1;
    // The fixed rows' texts, then the scrolling rows shown from Top on.
    std::vector<QStringList> FixedRows;
    std::vector<QStringList> Rows;
    int Top = 0; // first scrolling row shown, counted from 0
    int RowTotal = 0; // scrolling rows there are
    int Current = -1; // the current scrolling row, or -1
    // A record indicator in the first fixed column marks the current row.
    bool Indicator = false;

    // Scrolling rows that fit below the fixed rows (at least 1).
    int VisibleRows() const;
    // The scroll bars after a change of the rows or widths.
    void UpdateScrollBars();
    // The user scrolled to another first row.
    std::function<void(int Top)> OnScrolled;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    int FixedColsWidth() const;
    bool syncing_ = false;
};

// Reads what the widget shows of a string grid or a database grid: the
// titles, the widths and the rows from the widget's Top on. A dataset whose
// controls are disabled (a print working through it) is left alone, and
// the widget keeps what it showed.
void ReadGrid(TCustomGrid& Grid, TQtGrid& Widget);

} // namespace trx
