#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "DialogDriving.h"
#include "GuiTestSupport.h"
#include "frmScore.h"

namespace zintu {
namespace {

using test::ExecWithAnswer;
using test::PressKey;

// Names are stored as 18-character fields.
QString Field(const QString& name) {
    return name.leftJustified(18, QChar(u' '));
}

struct ScoreWindow {
    frmScore window;
    QTableWidget* header = window.findChild<QTableWidget*>("Fgn");
    QTableWidget* body = window.findChild<QTableWidget*>("Fg1");
    QCheckBox* merge = window.findChild<QCheckBox*>("CheckTable");
    QPushButton* close = window.findChild<QPushButton*>("Command1");

    bool Found() const { return header && body && merge && close; }
    void SetName(int row, const QString& name) { window.SetTextArray(row * 4 + 1, Field(name)); }
    int NameSpan(int row) const { return body->rowSpan(row, 1); }
};

TEST(ScoreWindow, ControlsStandAtTheirPixelPositions) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    EXPECT_EQ(score.window.size(), QSize(317, 241));
    EXPECT_EQ(score.window.minimumSize(), score.window.maximumSize());
    EXPECT_EQ(score.header->geometry(), QRect(8, 8, 300, 25));
    EXPECT_EQ(score.body->geometry(), QRect(8, 33, 300, 166));
    EXPECT_EQ(score.merge->geometry(), QRect(8, 211, 137, 17));
    EXPECT_EQ(score.close->geometry(), QRect(219, 208, 89, 25));

    for (const QTableWidget* grid : {score.header, score.body}) {
        const std::string name = grid->objectName().toStdString();
        ASSERT_EQ(grid->columnCount(), 4) << name;
        const int widths[] = {21, 137, 67, 69};
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(grid->columnWidth(column), widths[column]) << name << " column " << column;
        }
        EXPECT_FALSE(grid->horizontalHeader()->isVisible()) << name;
        EXPECT_FALSE(grid->verticalHeader()->isVisible()) << name;
        // Every cell must lie within the visible part: nothing to scroll to.
        const QRect lastCell = grid->visualRect(grid->model()->index(grid->rowCount() - 1, 3));
        EXPECT_TRUE(grid->viewport()->rect().contains(lastCell)) << name;
    }
    EXPECT_EQ(score.header->rowCount(), 1);
    EXPECT_EQ(score.body->rowCount(), 10);
    EXPECT_EQ(score.window.Cols(), 4);
}

TEST(ScoreWindow, CaptionTitlesAndButtons) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    EXPECT_EQ(score.window.objectName(), "frmScore");
    EXPECT_EQ(score.window.windowTitle(), "10 лучших рекордов");
    EXPECT_FALSE(score.window.windowIcon().availableSizes().isEmpty());
    EXPECT_FALSE(score.window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    const QStringList titles{"№", "Имя рекордсмена", "Рекорд", "Дата"};
    for (int column = 0; column < 4; ++column) {
        const QTableWidgetItem* title = score.header->item(0, column);
        EXPECT_EQ(title->text(), titles[column]);
        EXPECT_EQ(title->textAlignment(), Qt::AlignCenter);
    }
    EXPECT_TRUE(score.header->font().bold());
    EXPECT_DOUBLE_EQ(score.header->font().pointSizeF(), 9.75);
    EXPECT_FALSE(score.body->font().bold());
    EXPECT_DOUBLE_EQ(score.body->font().pointSizeF(), 8.25);

    EXPECT_EQ(score.merge->text(), "Объединять имена");
    EXPECT_TRUE(score.merge->isChecked());
    EXPECT_EQ(score.close->text(), "Закрыть");
    EXPECT_TRUE(score.close->isDefault());
    const QStringList order{"Command1", "Fg1", "Fgn", "CheckTable"};
    EXPECT_EQ(test::TabOrder(score.close, order), order);
}

// The grid shortens text that does not fit its cell with an ellipsis.
bool FitsCell(const QTableWidget* grid, int column, const QString& text) {
    const int gridLine = 1;
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int room = grid->columnWidth(column) - gridLine - 2 * margin;
    return grid->fontMetrics().horizontalAdvance(text) <= room;
}

TEST(ScoreWindow, TitlesAndTypicalEntriesFitTheirCells) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    for (int column = 0; column < 4; ++column) {
        const QString title = score.header->item(0, column)->text();
        EXPECT_TRUE(FitsCell(score.header, column, title)) << title.toStdString();
    }
    const QStringList entry{"10", "Константин Ильин", "12 345 678", "22.11.2000"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_TRUE(FitsCell(score.body, column, entry[column])) << entry[column].toStdString();
    }
    EXPECT_LE(score.body->fontMetrics().height(), score.body->rowHeight(0));
}

TEST(ScoreWindow, BodyCellsByLinearIndex) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    score.window.SetTextArray(11, "22.11.2000");
    EXPECT_EQ(score.body->item(2, 3)->text(), "22.11.2000");
    score.window.SetTextArray(39, "last");
    EXPECT_EQ(score.body->item(9, 3)->text(), "last");
    score.window.SetTextArray(-1, "outside");
    score.window.SetTextArray(40, "outside");
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NE(score.body->item(row, column)->text(), "outside");
        }
    }

    const Qt::Alignment alignments[] = {Qt::AlignRight | Qt::AlignVCenter,
                                        Qt::AlignLeft | Qt::AlignVCenter,
                                        Qt::AlignRight | Qt::AlignVCenter, Qt::AlignCenter};
    for (int column = 0; column < 4; ++column) {
        const QTableWidgetItem* cell = score.body->item(5, column);
        EXPECT_EQ(cell->textAlignment(), alignments[column]) << "column " << column;
        EXPECT_FALSE(cell->flags() & Qt::ItemIsEditable) << "column " << column;
    }

    score.window.Clear();
    EXPECT_EQ(score.body->item(2, 3)->text(), "");
    EXPECT_EQ(score.body->item(9, 3)->text(), "");
}

TEST(ScoreWindow, EqualNeighbourNamesMergeWhileChecked) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    score.SetName(0, "Аня");
    score.SetName(1, "Борис");
    score.SetName(2, "Борис");
    score.SetName(3, "Вера");
    // Equal points never merge: only the name column does.
    score.window.SetTextArray(1 * 4 + 2, "300");
    score.window.SetTextArray(2 * 4 + 2, "300");
    EXPECT_EQ(score.NameSpan(0), 1);
    EXPECT_EQ(score.NameSpan(1), 2);
    EXPECT_EQ(score.NameSpan(3), 1);
    EXPECT_EQ(score.body->rowSpan(1, 2), 1);

    score.merge->setChecked(false);
    EXPECT_EQ(score.NameSpan(1), 1);
    score.merge->setChecked(true);
    EXPECT_EQ(score.NameSpan(1), 2);

    // Texts set after opening merge as well, and a changed name splits its group.
    score.SetName(3, "Борис");
    EXPECT_EQ(score.NameSpan(1), 3);
    score.SetName(2, "Галя");
    EXPECT_EQ(score.NameSpan(1), 1);
    EXPECT_EQ(score.NameSpan(2), 1);
    EXPECT_EQ(score.NameSpan(3), 1);

    score.SetName(2, "Борис");
    score.window.Clear();
    EXPECT_EQ(score.NameSpan(1), 1);
}

TEST(ScoreWindow, OnlyIdenticalAdjacentFieldsMerge) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    score.SetName(1, "Борис");
    score.SetName(2, "Вера");
    score.SetName(3, "Борис");
    score.SetName(5, "Дима");
    score.SetName(6, " Дима");
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(score.NameSpan(row), 1) << "row " << row;
    }
}

TEST(ScoreWindow, OpensModalCentredOnTheScreen) {
    ScoreWindow score;
    ASSERT_TRUE(score.Found());
    ExecWithAnswer(score.window, [&](QWidget* modal) {
        EXPECT_EQ(modal, &score.window);
        EXPECT_EQ(QApplication::focusWidget(), score.close);
        const QPoint offset = score.window.frameGeometry().center() -
                              score.window.screen()->availableGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << ", " << offset.y();
        score.window.accept();
    });
}

TEST(ScoreWindow, EnterAndEscapeClose) {
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                      std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        frmScore window;
        EXPECT_EQ(ExecWithAnswer(window, [key](QWidget*) { PressKey(key); }), result);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(ScoreWindow, ReopenedWindowMergesAgain) {
    {
        ScoreWindow first;
        ASSERT_TRUE(first.Found());
        ExecWithAnswer(first.window, [&](QWidget*) {
            first.merge->setChecked(false);
            first.window.reject();
        });
    }
    ScoreWindow second;
    ASSERT_TRUE(second.Found());
    EXPECT_TRUE(second.merge->isChecked());
    second.SetName(0, "Аня");
    second.SetName(1, "Аня");
    EXPECT_EQ(second.NameSpan(0), 2);
}

}  // namespace
}  // namespace zintu
