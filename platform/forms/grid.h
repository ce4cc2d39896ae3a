#pragma once
// TStringGrid: a grid of texts with fixed (heading) rows and columns. 5 x 5 cells, one fixed row and
// one fixed column, 64-pixel columns and 24-pixel rows, no editing by default.
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/forms/control.h"
#include "platform/forms/events.h"

class QTableWidget;

class TStringGrid : public TControl {
public:
    TStringGrid();

    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);

    // The text of a cell; cells outside the grid keep their texts and show them once the grid grows.
    std::string Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);

    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);

    // Whether the user may edit the cells that are not fixed.
    bool Editing() const { return editing_; }
    void SetEditing(bool editing);

    // The selected cell; fixed cells are never selected.
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCol(int col);
    void SetRow(int row);

    // Asked before the user moves to a cell; setting canSelect to false keeps the current one.
    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
    TNotifyEvent OnClick;

private:
    void Refresh();
    void ShowCell(int col, int row);
    bool IsFixed(int col, int row) const;
    bool MayMoveTo(int col, int row);
    void CurrentChanged(int row, int col, int previousRow, int previousCol);
    void Select(int col, int row);

    QTableWidget* table_;
    std::map<std::pair<int, int>, std::string> cells_;
    std::map<int, int> colWidths_;
    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    bool editing_ = false;
    int col_ = 1;
    int row_ = 1;
    bool quiet_ = false;
};
