#include "ui/main/BoardCursor.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <array>

#include "engine/BoardGeometry.h"
#include "engine/GameState.h"
#include "ui/common/Twips.h"

namespace zintu {
namespace {

// Indexed by colour code.
const std::array<const char*, kColorCount + 1> kColorNames{
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "пусто"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "красный"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "зелёный"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "жёлтый"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "синий"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "фиолетовый"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "голубой"),
    QT_TRANSLATE_NOOP("zintu::BoardCursor", "белый")};

// Far enough inside the cell to clear its ball, on the selection square's rim.
constexpr int kCursorInset = 3;

}  // namespace

QString ColorName(int code) {
    const bool known = code >= 0 && code <= kColorCount;
    return known ? BoardCursor::tr(kColorNames[code]) : QString::number(code);
}

BoardCursor::BoardCursor(const GameState& game, QWidget* parent) : QWidget(parent), game_(game) {
    setObjectName(QStringLiteral("Board"));
    setGeometry(
        TwipsRect(kBoardOrigin, kBoardOrigin, kBoardEnd - kBoardOrigin, kBoardEnd - kBoardOrigin));
    // Clicks belong to the window, which plays them as the mouse player expects.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Поле"));
    setAccessibleDescription(
        tr("Поле 9 на 9 клеток. Стрелки выбирают клетку, пробел или Enter щёлкает по ней."));
}

QString BoardCursor::CellName(int col, int row) const {
    const ColorCode code = game_.Board[CellIndex(col, row)];
    QString name = tr("Строка %1, столбец %2: %3").arg(row + 1).arg(col + 1).arg(ColorName(code));
    if (col == game_.SelCol && row == game_.SelRow) {
        name += tr(", выбран");
    }
    return name;
}

void BoardCursor::Announce(const QString& text) {
    setAccessibleDescription(text);
    if (QAccessible::isActive()) {
        QAccessibleEvent alert(this, QAccessible::Alert);  // also when the text repeats
        QAccessible::updateAccessibility(&alert);
    }
}

void BoardCursor::ReportChangedCells() {
    if (!QAccessible::isActive()) {
        return;
    }
    for (int index = 0; index < kBoardSize * kBoardSize; ++index) {
        QString name = CellName(index % kBoardSize, index / kBoardSize);
        if (name != reported_[index]) {
            reported_[index] = std::move(name);
            QAccessibleEvent changed(this, QAccessible::NameChanged);
            changed.setChild(index);
            QAccessible::updateAccessibility(&changed);
        }
    }
}

QRect BoardCursor::CellRect(int col, int row) const {
    const TwipPoint corner = CellCorner(col, row);
    const QRect cell = TwipsRect(corner.X, corner.Y, kCellSize, kCellSize).translated(-pos());
    return cell.adjusted(kCursorInset, kCursorInset, -kCursorInset, -kCursorInset);
}

void BoardCursor::paintEvent(QPaintEvent* /*event*/) {
    if (!hasFocus()) {
        return;
    }
    // Light and dark dashes show on the board, on the selection square and on any ball.
    QPainter painter(this);
    const QRect cursor = CellRect(col_, row_);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(cursor);
    painter.setPen(QPen(Qt::black, 2, Qt::DashLine));
    painter.drawRect(cursor);
}

void BoardCursor::keyPressEvent(QKeyEvent* event) {
    const bool shiftOnly = event->modifiers() == Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Left:
            return MoveCursor(col_ - 1, row_);
        case Qt::Key_Right:
            return MoveCursor(col_ + 1, row_);
        case Qt::Key_Up:
            return MoveCursor(col_, row_ - 1);
        case Qt::Key_Down:
            return MoveCursor(col_, row_ + 1);
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) {
                emit Clicked(col_, row_);
            }
            return;
        case Qt::Key_Menu:
            emit RightClicked(col_, row_);
            return;
        case Qt::Key_F10:
            if (shiftOnly) {
                emit RightClicked(col_, row_);
                return;
            }
            break;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

// The keys that open a context menu elsewhere are handled as keys above.
void BoardCursor::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void BoardCursor::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    AnnounceCursor();
}

void BoardCursor::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void BoardCursor::MoveCursor(int col, int row) {
    if (!OnBoard(col, row)) {
        return;  // the cursor stops at the edges
    }
    update(CellRect(col_, row_).adjusted(-2, -2, 2, 2));
    col_ = col;
    row_ = row;
    update(CellRect(col_, row_).adjusted(-2, -2, 2, 2));
    AnnounceCursor();
}

void BoardCursor::AnnounceCursor() {
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(CellIndex(col_, row_));
        QAccessible::updateAccessibility(&focus);
    }
}

}  // namespace zintu
