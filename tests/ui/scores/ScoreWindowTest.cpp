#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "DialogDriving.h"
#include "GuiTestSupport.h"
#include "OleDate.h"
#include "ScoreFormat.h"
#include "frmScore.h"

namespace zintu {
namespace {

using test::ExecWithAnswer;

struct ScoreWindow {
    frmScore window;
    QTableWidget* header = window.findChild<QTableWidget*>("Fgn");
    QTableWidget* body = window.findChild<QTableWidget*>("Fg1");
    QCheckBox* merge = window.findChild<QCheckBox*>("CheckTable");
    QPushButton* close = window.findChild<QPushButton*>("Command1");

    // Names are stored as 18-character fields.
    void SetName(int row, const QString& name) {
        window.SetTextArray(row * 4 + 1, name.leftJustified(18));
    }
    int NameSpan(int row) const { return body->rowSpan(row, 1); }
};

// Whether `text` in `font` stays within its cell, away from the grid line and margins.
bool FitsCell(const QTableWidget* grid, int column, const QString& text, const QFont& font) {
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int gridLine = 1;
    return QFontMetrics(font).horizontalAdvance(text) <=
           grid->columnWidth(column) - gridLine - 2 * margin;
}

TEST(ScoreWindow, ControlsTitlesAndColumns) {
    ScoreWindow score;
    ASSERT_TRUE(score.header && score.body && score.merge && score.close);
    EXPECT_EQ(score.window.windowTitle(), "10 лучших рекордов");
    EXPECT_EQ(score.window.size(), QSize(317, 241));
    EXPECT_EQ(score.header->geometry(), QRect(8, 8, 300, 25));
    EXPECT_EQ(score.body->geometry(), QRect(8, 33, 300, 166));
    EXPECT_EQ(score.merge->geometry(), QRect(8, 211, 137, 17));
    EXPECT_EQ(score.close->geometry(), QRect(219, 208, 89, 25));
    EXPECT_EQ(score.merge->text(), "Объединять имена");
    EXPECT_EQ(score.close->text(), "Закрыть");
    EXPECT_TRUE(score.close->isDefault());
    EXPECT_EQ(score.body->rowCount(), 10);
    EXPECT_EQ(score.window.Cols(), 4);

    const QStringList titles{"№", "Имя рекордсмена", "Рекорд", "Дата"};
    const QStringList entry{"10", "Константин Ильин", FormatPoints(12345678), "22.11.2000"};
    const int widths[] = {21, 137, 67, 69};
    for (int column = 0; column < 4; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(score.header->item(0, column)->text(), titles[column]);
        EXPECT_EQ(score.header->columnWidth(column), widths[column]);
        EXPECT_EQ(score.body->columnWidth(column), widths[column]);
        EXPECT_TRUE(FitsCell(score.header, column, titles[column], score.header->font()));
        EXPECT_TRUE(FitsCell(score.body, column, entry[column], score.body->font()));
    }
    // All ten rows within the visible part: nothing to scroll to.
    EXPECT_TRUE(score.body->viewport()->rect().contains(
        score.body->visualRect(score.body->model()->index(9, 3))));
}

TEST(ScoreWindow, CellsByLinearIndex) {
    ScoreWindow score;
    score.window.SetTextArray(11, "22.11.2000");
    EXPECT_EQ(score.body->item(2, 3)->text(), "22.11.2000");
    score.window.SetTextArray(-1, "outside");
    score.window.SetTextArray(40, "outside");
    EXPECT_TRUE(score.body->findItems("outside", Qt::MatchExactly).isEmpty());
    score.window.Clear();
    EXPECT_EQ(score.body->item(2, 3)->text(), "");
}

// A name is shown as stored, every letter, however wide its letters are.
TEST(ScoreWindow, WidestNameIsShownWhole) {
    ScoreWindow score;
    const QString name(18, QChar(u'Ж'));
    score.SetName(0, name);
    const QTableWidgetItem* cell = score.body->item(0, 1);
    EXPECT_EQ(cell->text(), name);
    EXPECT_TRUE(FitsCell(score.body, 1, name, cell->font()));
}

TEST(ScoreWindow, EqualNeighbourNamesMergeWhileChecked) {
    ScoreWindow score;
    score.SetName(0, "Аня");
    score.SetName(1, "Борис");
    score.SetName(2, "Борис");
    score.window.SetTextArray(1 * 4 + 2, "300");
    score.window.SetTextArray(2 * 4 + 2, "300");
    EXPECT_EQ(score.NameSpan(0), 1);
    EXPECT_EQ(score.NameSpan(1), 2);
    EXPECT_EQ(score.body->rowSpan(1, 2), 1) << "only names merge";

    score.merge->setChecked(false);
    EXPECT_EQ(score.NameSpan(1), 1);
    score.merge->setChecked(true);
    EXPECT_EQ(score.NameSpan(1), 2);
    score.SetName(3, "Борис");
    EXPECT_EQ(score.NameSpan(1), 3);
    EXPECT_EQ(score.NameSpan(4), 6) << "the blank rows below";
    score.window.Clear();
    EXPECT_EQ(score.NameSpan(1), 10);
}

TEST(ScoreWindow, OnlyIdenticalAdjacentNamesMerge) {
    ScoreWindow score;
    score.SetName(1, "Борис");
    score.SetName(2, "Вера");
    score.SetName(3, "Борис");
    score.SetName(5, "Дима");
    score.SetName(6, " Дима");
    const int spans[] = {1, 1, 1, 1, 1, 1, 1, 3, 3, 3};
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(score.NameSpan(row), spans[row]) << "row " << row;
    }
}

// Each opening is a new window, merging again whatever the last one was switched to.
TEST(ScoreWindow, OpensModalOnTheScreenCentreCheckedAndClosesOnEnterOrEscape) {
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                      std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        ScoreWindow score;
        score.SetName(0, "Аня");
        score.SetName(1, "Аня");
        const int closedWith = ExecWithAnswer(score.window, [&, key = key](QWidget* modal) {
            EXPECT_EQ(modal, &score.window);
            const QPoint offset = score.window.frameGeometry().center() -
                                  score.window.screen()->availableGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 2) << "off centre";
            EXPECT_TRUE(score.merge->isChecked());
            EXPECT_EQ(score.NameSpan(0), 2);
            score.merge->setChecked(false);
            test::PressKey(key);
        });
        EXPECT_EQ(closedWith, result);
    }
}

TEST(ScoreFormat, PointsInGroupsOfThreeAndDayMonthYear) {
    EXPECT_EQ(FormatPoints(0), "0");
    EXPECT_EQ(FormatPoints(42), "42");
    EXPECT_EQ(FormatPoints(1000), "1 000");
    EXPECT_EQ(FormatPoints(1234567), "1 234 567");
    EXPECT_EQ(FormatPoints(-1234), "-1 234");
    EXPECT_EQ(FormatPoints(INT32_MIN), "-2 147 483 648");
    EXPECT_EQ(FormatScoreDate(OleDateFromCivil({2001, 3, 1})), "01.03.2001");
    EXPECT_EQ(FormatScoreDate(OleDateFromCivil({2024, 12, 31}) + 0.99), "31.12.2024");
}

}  // namespace
}  // namespace zintu
