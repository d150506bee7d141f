#include "ui/main/BoardAccessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <array>
#include <limits>

#include "engine/GameState.h"
#include "ui/main/BoardCursor.h"
#include "ui/main/ScoreCaption.h"

namespace zintu {
namespace {

// One cell; it belongs to Qt's accessibility cache, the table keeps its id.
class BoardCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    BoardCell(BoardCursor* board, int index) : board_(board), index_(index) {}

    bool isValid() const override { return board_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_);
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && board_ ? board_->CellName(columnIndex(), rowIndex())
                                                : QString();
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override {
        if (!board_) {
            return {};
        }
        const int side = board_->width() / kBoardSize;
        const QPoint topLeft(board_->mapToGlobal(QPoint(side * columnIndex(), side * rowIndex())));
        return {topLeft, QSize(side, side)};
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.selected = isSelected();
        state.focusable = true;
        state.focused = board_ && board_->hasFocus() && board_->Col() == columnIndex() &&
                        board_->Row() == rowIndex();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override {
        return board_ && board_->Game().SelCol == columnIndex() &&
               board_->Game().SelRow == rowIndex();
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % kBoardSize; }
    int rowIndex() const override { return index_ / kBoardSize; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<BoardCursor> board_;
    int index_;
};

class BoardTable : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit BoardTable(BoardCursor* board) : QAccessibleWidget(board, QAccessible::Table) {}
    ~BoardTable() override {
        for (const QAccessible::Id id : cells_) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }
    BoardTable(const BoardTable&) = delete;
    BoardTable& operator=(const BoardTable&) = delete;

    BoardCursor* Board() const { return static_cast<BoardCursor*>(widget()); }

    int childCount() const override { return kBoardSize * kBoardSize; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        QAccessible::Id& id = cells_[index];
        if (id == 0) {
            // Qt's accessibility cache owns the cell until the destructor deletes it by id.
            // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
            id = QAccessible::registerAccessibleInterface(new BoardCell(Board(), index));
        }
        // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* cell =
            child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        return cell ? CellIndex(cell->columnIndex(), cell->rowIndex()) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = Board()->mapFromGlobal(QPoint(x, y));
        const int side = Board()->width() / kBoardSize;
        const int col = at.x() / side, row = at.y() / side;
        return at.x() >= 0 && at.y() >= 0 && OnBoard(col, row) ? child(CellIndex(col, row))
                                                               : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return Board()->hasFocus() ? child(CellIndex(Board()->Col(), Board()->Row())) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return OnBoard(column, row) ? child(CellIndex(column, row)) : nullptr;
    }
    int selectedCellCount() const override { return Selected() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        return Selected() >= 0 ? QList<QAccessibleInterface*>{child(Selected())}
                               : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int column) const override {
        return BoardCursor::tr("Столбец %1").arg(column + 1);
    }
    QString rowDescription(int row) const override {
        return BoardCursor::tr("Строка %1").arg(row + 1);
    }
    int columnCount() const override { return kBoardSize; }
    int rowCount() const override { return kBoardSize; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    // Selecting belongs to the game: only a click selects a ball.
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

  private:
    int Selected() const {
        const GameState& game = Board()->Game();
        return game.SelCol >= 0 ? CellIndex(game.SelCol, game.SelRow) : -1;
    }

    mutable std::array<QAccessible::Id, kBoardSize * kBoardSize> cells_{};
};

// A score label: named by its meaning, its number is the value.
class AccessibleScore : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleScore(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Label()->text() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return Label()->text().toInt(); }
    void setCurrentValue(const QVariant& /*value*/) override {}
    QVariant maximumValue() const override { return std::numeric_limits<std::int32_t>::max(); }
    QVariant minimumValue() const override { return std::numeric_limits<std::int32_t>::min(); }
    QVariant minimumStepSize() const override { return 1; }

  private:
    QLabel* Label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* MakeAccessible(const QString& /*key*/, QObject* object) {
    if (auto* board = qobject_cast<BoardCursor*>(object)) {
        return new BoardTable(board);
    }
    if (auto* score = qobject_cast<ScoreCaption*>(object)) {
        return new AccessibleScore(score);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
    QAccessible::installFactory(MakeAccessible);
}

}  // namespace zintu
