#include "platform/forms/grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>

namespace {

// Rows shown without scrolling at most, when the layout asks how large the grid wants to be.
constexpr int kMaxRowsShown = 16;

// The grid's natural size is that of its cells, so that layouts give it room for them. A click or a
// key that would move to another cell asks first (OnSelectCell), so that a refused cell is never
// selected, not even for a moment.
class GridWidget : public QTableWidget {
public:
    std::function<bool(int col, int row)> mayMoveTo;
    QModelIndex approved;

    QSize sizeHint() const override {
        int width = 2 * frameWidth();
        for (int c = 0; c < columnCount(); ++c)
            width += columnWidth(c);
        int height = 2 * frameWidth();
        for (int r = 0; r < std::min(rowCount(), kMaxRowsShown); ++r)
            height += rowHeight(r);
        if (rowCount() > kMaxRowsShown) width += verticalScrollBar()->sizeHint().width();
        return {width, height};
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (Ask(indexAt(event->position().toPoint()))) QTableWidget::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (Ask(indexAt(event->position().toPoint()))) QTableWidget::mouseDoubleClickEvent(event);
    }
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex target = QTableWidget::moveCursor(action, modifiers);
        return Ask(target) ? target : currentIndex();
    }

private:
    // True when the view may go on to the cell (the current one, or one the grid accepts).
    bool Ask(const QModelIndex& index) {
        if (!index.isValid() || index == currentIndex()) return true;
        if (!mayMoveTo(index.column(), index.row())) return false;
        approved = index;
        return true;
    }
};

} // namespace

TStringGrid::TStringGrid() : TControl(new GridWidget), table_(static_cast<QTableWidget*>(Widget())) {
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    static_cast<GridWidget*>(table_)->mayMoveTo = [this](int col, int row) { return MayMoveTo(col, row); };
    QObject::connect(table_, &QTableWidget::currentCellChanged,
                     [this](int row, int col, int previousRow, int previousCol) {
                         CurrentChanged(row, col, previousRow, previousCol);
                     });
    QObject::connect(table_, &QTableWidget::cellClicked, [this] { Fire(OnClick); });
    QObject::connect(table_, &QTableWidget::itemChanged, [this](QTableWidgetItem* item) {
        if (!quiet_) cells_[{item->column(), item->row()}] = FromQ(item->text());
    });
    Refresh();
}

void TStringGrid::SetColCount(int count) {
    colCount_ = std::max(1, count);
    fixedCols_ = std::min(fixedCols_, colCount_ - 1);
    Refresh();
}

void TStringGrid::SetRowCount(int count) {
    rowCount_ = std::max(1, count);
    fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
    Refresh();
}

void TStringGrid::SetFixedCols(int count) {
    fixedCols_ = std::clamp(count, 0, colCount_ - 1);
    Refresh();
}

void TStringGrid::SetFixedRows(int count) {
    fixedRows_ = std::clamp(count, 0, rowCount_ - 1);
    Refresh();
}

std::string TStringGrid::Cell(int col, int row) const {
    const auto found = cells_.find({col, row});
    return found == cells_.end() ? std::string() : found->second;
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
    cells_[{col, row}] = text;
    if (col >= 0 && col < colCount_ && row >= 0 && row < rowCount_) ShowCell(col, row);
}

void TStringGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = width;
    Refresh();
}

int TStringGrid::ColWidth(int col) const {
    const auto found = colWidths_.find(col);
    return found == colWidths_.end() ? defaultColWidth_ : found->second;
}

void TStringGrid::SetColWidth(int col, int width) {
    colWidths_[col] = width;
    if (col >= 0 && col < colCount_) table_->setColumnWidth(col, width);
    table_->updateGeometry();
}

void TStringGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = height;
    Refresh();
}

void TStringGrid::SetEditing(bool editing) {
    editing_ = editing;
    table_->setEditTriggers(editing ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                          QAbstractItemView::AnyKeyPressed
                                    : QAbstractItemView::NoEditTriggers);
}

void TStringGrid::SetCol(int col) {
    Select(col, row_);
}
void TStringGrid::SetRow(int row) {
    Select(col_, row);
}

bool TStringGrid::IsFixed(int col, int row) const {
    return col < fixedCols_ || row < fixedRows_;
}

void TStringGrid::Select(int col, int row) {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_ || IsFixed(col, row)) return;
    col_ = col;
    row_ = row;
    quiet_ = true;
    table_->setCurrentCell(row, col);
    quiet_ = false;
}

// Rebuilds the table after a change of its shape.
void TStringGrid::Refresh() {
    quiet_ = true;
    table_->setColumnCount(colCount_);
    table_->setRowCount(rowCount_);
    // Rows sized for another platform's smaller font would cut the text off.
    table_->verticalHeader()->setMinimumSectionSize(1);
    table_->verticalHeader()->setDefaultSectionSize(
        std::max(defaultRowHeight_, table_->fontMetrics().height() + 4));
    for (int c = 0; c < colCount_; ++c)
        table_->setColumnWidth(c, ColWidth(c));
    for (int r = 0; r < rowCount_; ++r)
        for (int c = 0; c < colCount_; ++c)
            ShowCell(c, r);
    quiet_ = false;
    if (IsFixed(col_, row_) || col_ >= colCount_ || row_ >= rowCount_) {
        col_ = std::min(fixedCols_, colCount_ - 1);
        row_ = std::min(fixedRows_, rowCount_ - 1);
    }
    Select(col_, row_);
    table_->updateGeometry();
}

void TStringGrid::ShowCell(int col, int row) {
    const bool wasQuiet = quiet_;
    quiet_ = true;
    QTableWidgetItem* item = table_->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        table_->setItem(row, col, item);
    }
    item->setText(ToQ(Cell(col, row)));
    if (IsFixed(col, row)) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(table_->palette().button());
    } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        item->setBackground(QBrush());
    }
    quiet_ = wasQuiet;
}

bool TStringGrid::MayMoveTo(int col, int row) {
    bool canSelect = !IsFixed(col, row);
    if (canSelect && OnSelectCell) Fire(OnSelectCell, col, row, canSelect);
    return canSelect;
}

// A move the view did not ask about first (none of the user's) is asked about here, and undone
// when refused.
void TStringGrid::CurrentChanged(int row, int col, int, int) {
    if (quiet_ || row < 0 || col < 0) return;
    auto* grid = static_cast<GridWidget*>(table_);
    const bool approved =
        grid->approved.isValid() && grid->approved.row() == row && grid->approved.column() == col;
    grid->approved = QModelIndex();
    if (approved || MayMoveTo(col, row)) {
        col_ = col;
        row_ = row;
        return;
    }
    const QSignalBlocker block(table_);
    table_->setCurrentCell(row_, col_);
}
