#include "ui/scores/frmScore.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <array>

#include "ui/common/ClassicFont.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/Twips.h"
#include "ui/scores/ScoreFormat.h"

namespace zintu {
namespace {

constexpr std::array<int, 4> kColumnTwips{322, 2060, 1000, 1030};
const std::array<Qt::Alignment, 4> kBodyAlignments{
    Qt::AlignRight | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignVCenter,
    Qt::AlignRight | Qt::AlignVCenter, Qt::AlignCenter};
constexpr int kNameColumn = 1;
constexpr int kBodyRows = 10;
constexpr int kBodyRowTwips = 240;
constexpr int kHeaderLeft = 127, kHeaderTop = 120, kGridWidth = 4500, kHeaderHeight = 375;
// The body hangs from the bottom edge of the header so the two read as one table.
constexpr int kBodyLeft = 120, kBodyTop = kHeaderTop + kHeaderHeight, kBodyHeight = 2490;

// Cell colours follow the old grid control: the part of a grid not covered by cells is
// dark grey, cell borders light grey.
void PaintCells(QTableWidget* grid, QPalette::ColorRole background, QPalette::ColorRole text) {
    QPalette colours = grid->palette();
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            grid->item(row, column)->setBackground(colours.color(background));
            grid->item(row, column)->setForeground(colours.color(text));
        }
    }
    colours.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
    grid->setPalette(colours);
    grid->setStyleSheet(QStringLiteral("QTableView { gridline-color: #c0c0c0; }"));
}

// Room for text in a cell of the column: the view leaves a margin on each side, the
// grid line takes one pixel.
int TextWidth(const QTableWidget* grid, int column) {
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    return grid->columnWidth(column) - 1 - 2 * margin;
}

// `font`, narrowed as far as `text` needs to be shown whole within `width` pixels.
QFont FittingFont(const QFont& font, const QString& text, int width) {
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    if (natural <= width) {
        return font;
    }
    QFont narrow = font;
    for (int stretch = 100 * width / natural; stretch > 1; --stretch) {
        narrow.setStretch(stretch);
        if (QFontMetrics(narrow).horizontalAdvance(text) <= width) {
            break;
        }
    }
    return narrow;
}

QTableWidget* AddGrid(QDialog* dialog, const QString& name, int rows, const QRect& rect,
                      const QFont& font) {
    auto* grid = new QTableWidget(rows, kColumnTwips.size(), dialog);
    grid->setObjectName(name);
    grid->setGeometry(rect);
    grid->setFont(font);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    // A name is shown whole, as stored; the font narrows instead.
    grid->setTextElideMode(Qt::ElideNone);
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    for (int column = 0; column < grid->columnCount(); ++column) {
        grid->setColumnWidth(column, TwipsToPixels(kColumnTwips[column]));
        for (int row = 0; row < rows; ++row) {
            auto* item = new QTableWidgetItem();
            item->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row, column, item);
        }
    }
    return grid;
}

QTableWidget* AddHeader(QDialog* dialog) {
    QTableWidget* header = AddGrid(dialog, QStringLiteral("Fgn"), 1,
                                   TwipsRect(kHeaderLeft, kHeaderTop, kGridWidth, kHeaderHeight),
                                   ClassicFont(9.75, true));
    const std::array<QString, 4> titles{frmScore::tr("№"), frmScore::tr("Имя рекордсмена"),
                                        frmScore::tr("Рекорд"), frmScore::tr("Дата")};
    for (int column = 0; column < header->columnCount(); ++column) {
        header->item(0, column)->setText(titles[column]);
        header->item(0, column)->setTextAlignment(Qt::AlignCenter);
    }
    PaintCells(header, QPalette::Button, QPalette::ButtonText);
    header->setAccessibleName(frmScore::tr("Заголовки столбцов"));
    header->setAccessibleDescription(frmScore::tr("Место, имя, очки и дата рекорда"));
    header->ensurePolished();  // the frame width is final only now
    header->setRowHeight(0, header->height() - 2 * header->frameWidth());
    return header;
}

QTableWidget* AddBody(QDialog* dialog) {
    QTableWidget* body =
        AddGrid(dialog, QStringLiteral("Fg1"), kBodyRows,
                TwipsRect(kBodyLeft, kBodyTop, kGridWidth, kBodyHeight), ClassicFont(8.25));
    body->verticalHeader()->setDefaultSectionSize(TwipsToPixels(kBodyRowTwips));
    for (int column = 0; column < body->columnCount(); ++column) {
        for (int row = 0; row < body->rowCount(); ++row) {
            body->item(row, column)->setTextAlignment(kBodyAlignments[column]);
        }
    }
    PaintCells(body, QPalette::Base, QPalette::Text);
    body->setAccessibleName(frmScore::tr("Рекорды"));
    body->setAccessibleDescription(frmScore::tr("Место, имя, очки и дата каждого рекорда"));
    return body;
}

QCheckBox* AddMergeSwitch(QDialog* dialog) {
    auto* check = new QCheckBox(frmScore::tr("Объединять имена"), dialog);
    check->setObjectName(QStringLiteral("CheckTable"));
    check->setGeometry(TwipsRect(120, 3160, 2055, 255));
    check->setChecked(true);
    return check;
}

}  // namespace

frmScore::frmScore() {
    SetUpFixedDialog(this, QStringLiteral("frmScore"), tr("10 лучших рекордов"), 4755, 3615);
    QPushButton* close = AddDefaultButton(this, tr("Закрыть"), 3280, 3120, 1335, 375);
    body_ = AddBody(this);
    QTableWidget* header = AddHeader(this);
    mergeNames_ = AddMergeSwitch(this);
    connect(mergeNames_, &QCheckBox::toggled, this, &frmScore::MergeNames);

    setTabOrder(close, body_);
    setTabOrder(body_, header);
    setTabOrder(header, mergeNames_);
    close->setFocus();
}

int frmScore::Cols() const {
    return body_->columnCount();
}

std::int16_t frmScore::TextArrayIndex(std::int16_t row, std::int16_t column) const {
    return static_cast<std::int16_t>(Cols() * row + column);
}

void frmScore::Show(const ScoreTable& table) {
    Clear();
    for (std::int16_t row = 0; row < kBodyRows; ++row) {
        const ScoreRecord& entry = table[row];
        if (entry.Points == 0) {
            break;
        }
        SetTextArray(TextArrayIndex(row, 0), QString::number(row + 1));
        SetTextArray(TextArrayIndex(row, 1), QString::fromStdU32String(entry.Name));
        SetTextArray(TextArrayIndex(row, 2), FormatPoints(entry.Points));
        SetTextArray(TextArrayIndex(row, 3), FormatScoreDate(entry.Date));
    }
}

void frmScore::Clear() {
    for (int row = 0; row < body_->rowCount(); ++row) {
        for (int column = 0; column < body_->columnCount(); ++column) {
            body_->item(row, column)->setText(QString());
        }
    }
    MergeNames();
}

void frmScore::SetTextArray(int index, const QString& text) {
    if (index < 0 || index >= body_->rowCount() * Cols()) {
        return;
    }
    const int column = index % Cols();
    QTableWidgetItem* cell = body_->item(index / Cols(), column);
    cell->setText(text);
    cell->setFont(FittingFont(body_->font(), text, TextWidth(body_, column)));
    if (column == kNameColumn) {
        MergeNames();
    }
}

void frmScore::MergeNames() {
    body_->clearSpans();
    if (!mergeNames_->isChecked()) {
        return;
    }
    for (int top = 0; top < body_->rowCount();) {
        const QString name = body_->item(top, kNameColumn)->text();
        int end = top + 1;
        while (end < body_->rowCount() && body_->item(end, kNameColumn)->text() == name) {
            ++end;
        }
        if (end - top > 1) {
            body_->setSpan(top, kNameColumn, end - top, 1);
        }
        top = end;
    }
}

}  // namespace zintu
