#include "framework/qt/qt_grid_widget.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "framework/data/dataset.h"
#include "framework/data/field.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/string_grid.h"
#include "framework/qt/qt_control_widgets.h"

namespace trx {

TQtGrid::TQtGrid(QWidget* Parent) : QAbstractScrollArea(Parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int Value) {
        if (syncing_ || Value == Top) return;
        Top = Value;
        if (OnScrolled) OnScrolled(Value);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
}

int TQtGrid::VisibleRows() const {
    // Each row is followed by its grid line.
    const int pitch = RowHeight + 1;
    const int fixed = static_cast<int>(FixedRows.size()) * pitch;
    return std::max(1, (viewport()->height() - fixed) / pitch);
}

void TQtGrid::UpdateScrollBars() {
    syncing_ = true;
    const int visible = VisibleRows();
    verticalScrollBar()->setRange(0, std::max(0, RowTotal - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setValue(Top);
    int width = 0;
    for (int w : ColWidths) width += w + 1;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    syncing_ = false;
    viewport()->update();
}

void TQtGrid::resizeEvent(QResizeEvent* Event) {
    QAbstractScrollArea::resizeEvent(Event);
    UpdateScrollBars();
}

void TQtGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    p.setFont(font());
    const int shift = horizontalScrollBar()->value();
    const QColor line = pal.color(QPalette::Mid);
    // One row of cells at y; the fixed columns stay where they are.
    auto drawRow = [&](const QStringList& Texts, int Y, bool FixedRow, bool CurrentRow) {
        int x = 0;
        for (std::size_t c = 0; c < ColWidths.size(); ++c) {
            const bool fixed = FixedRow || static_cast<int>(c) < FixedCols;
            const int left = static_cast<int>(c) < FixedCols ? x : x - shift;
            x += ColWidths[c] + 1;
            if (static_cast<int>(c) >= FixedCols && left + ColWidths[c] < FixedColsWidth()) continue;
            const QRect cell(left, Y, ColWidths[c], RowHeight);
            // Scrolled cells pass under the fixed columns, not over them.
            if (static_cast<int>(c) < FixedCols)
                p.setClipping(false);
            else
                p.setClipRect(QRect(FixedColsWidth(), 0, viewport()->width(), viewport()->height()));
            p.fillRect(cell, pal.color(fixed ? QPalette::Button : QPalette::Base));
            p.setPen(line);
            p.drawLine(cell.right() + 1, cell.top(), cell.right() + 1, cell.bottom() + 1);
            p.drawLine(cell.left(), cell.bottom() + 1, cell.right() + 1, cell.bottom() + 1);
            QString text = c < static_cast<std::size_t>(Texts.size()) ? Texts[static_cast<qsizetype>(c)] : QString();
            if (c == 0 && Indicator && CurrentRow) text = QStringLiteral("\u25B6");
            p.setPen(pal.color(fixed ? QPalette::ButtonText : QPalette::Text));
            p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(text.simplified(), Qt::ElideRight, std::max(0, cell.width() - 4)));
        }
    };
    int y = 0;
    for (const QStringList& row : FixedRows) {
        drawRow(row, y, true, false);
        y += RowHeight + 1;
    }
    for (std::size_t r = 0; r < Rows.size() && y < viewport()->height(); ++r, y += RowHeight + 1)
        drawRow(Rows[r], y, false, Top + static_cast<int>(r) == Current);
}

int TQtGrid::FixedColsWidth() const {
    int width = 0;
    for (int c = 0; c < FixedCols && c < static_cast<int>(ColWidths.size()); ++c) width += ColWidths[c] + 1;
    return width;
}

namespace {

void ReadStringGrid(TStringGrid& G, TQtGrid& W) {
    W.FixedCols = G.FixedCols();
    W.RowTotal = G.RowCount() - G.FixedRows();
    W.Top = std::clamp(W.Top, 0, std::max(0, W.RowTotal - 1));
    W.Current = G.Row() - G.FixedRows();
    auto row = [&G](int R) {
        QStringList texts;
        for (int c = 0; c < G.ColCount(); ++c) texts << QtText(G.Cells(c, R));
        return texts;
    };
    W.FixedRows.clear();
    for (int r = 0; r < G.FixedRows(); ++r) W.FixedRows.push_back(row(r));
    W.Rows.clear();
    const int first = G.FixedRows() + W.Top;
    for (int r = first; r < G.RowCount() && r <= first + W.VisibleRows(); ++r) W.Rows.push_back(row(r));
}

void ReadDBGrid(TDBGrid& G, TQtGrid& W) {
    W.FixedCols = 1;
    W.Indicator = true;
    QStringList titles{QString()};
    W.ColWidths.push_back(G.ColWidths(0));
    for (int i = 0; i < G.Columns().Count(); ++i) {
        const TColumn* column = G.Columns()[i];
        if (!column->Visible()) continue;
        titles << QtText(column->Title().Caption());
        W.ColWidths.push_back(column->Width());
    }
    W.FixedRows = {titles};
    TDataSet* ds = G.DataSet();
    if (!ds || !ds->Active() || ds->IsEmpty()) {
        W.Rows.clear();
        W.RowTotal = 0;
        W.Current = -1;
        return;
    }
    W.RowTotal = ds->RecordCount();
    W.Top = std::clamp(W.Top, 0, std::max(0, W.RowTotal - 1));
    // The rows are read by stepping the dataset there and back, unseen by
    // the controls that show it.
    W.Current = ds->RecNo() - 1;
    const TBookmark here = ds->GetBookmark();
    ds->DisableControls();
    try {
        W.Rows.clear();
        ds->First();
        ds->MoveBy(W.Top);
        for (int n = 0; !ds->Eof() && n <= W.VisibleRows(); ++n, ds->Next()) {
            QStringList texts{QString()};
            for (int i = 0; i < G.Columns().Count(); ++i) {
                const TColumn* column = G.Columns()[i];
                if (!column->Visible()) continue;
                const TField* field = column->Field();
                texts << (field ? QtText(field->DisplayText()) : QString());
            }
            W.Rows.push_back(texts);
        }
        ds->GotoBookmark(here);
    } catch (...) {
        ds->EnableControls();
        throw;
    }
    ds->EnableControls();
}

} // namespace

void ReadGrid(TCustomGrid& Grid, TQtGrid& Widget) {
    Widget.RowHeight = Grid.DefaultRowHeight();
    if (auto* db = dynamic_cast<TDBGrid*>(&Grid)) {
        TDataSet* ds = db->DataSet();
        if (ds && ds->ControlsDisabled()) return;
        Widget.ColWidths.clear();
        ReadDBGrid(*db, Widget);
    } else {
        Widget.ColWidths.clear();
        for (int c = 0; c < Grid.ColCount(); ++c) Widget.ColWidths.push_back(Grid.ColWidths(c));
        if (auto* sg = dynamic_cast<TStringGrid*>(&Grid)) ReadStringGrid(*sg, Widget);
    }
    Widget.UpdateScrollBars();
}

} // namespace trx
