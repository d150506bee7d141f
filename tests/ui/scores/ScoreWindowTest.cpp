#include "GuiTestSupport.h"
#include "ScoreFormat.h"
#include "frmScore.h"

using namespace zintu;

// Per row: the names from the top, then the row span of each name cell. Equal neighbours
// merge, the blank rows below too, while the switch is on (as each window opens).
TEST(ScoreWindow, EqualNeighbourNamesMergeWhileTheSwitchIsOn) {
    const std::pair<QStringList, std::vector<int>> tables[] = {
        {{"Аня", "Борис", "Борис"}, {1, 2, 2, 7, 7, 7, 7, 7, 7, 7}},
        {{"", "Борис", "Вера", "Борис", "", "Дима", " Дима"}, {1, 1, 1, 1, 1, 1, 1, 3, 3, 3}},
        {{}, std::vector<int>(10, 10)}};
    for (const auto& [names, spans] : tables) {
        frmScore window;
        window.Clear();
        for (int row = 0; row < names.size(); ++row)
            window.SetTextArray(row * 4 + 1, names[row].leftJustified(18));
        for (const bool merge : {true, false}) {
            window.findChild<QCheckBox*>("CheckTable")->setChecked(merge);
            for (int row = 0; row < 10; ++row)
                EXPECT_EQ(window.findChild<QTableWidget*>("Fg1")->rowSpan(row, 1),
                          merge ? spans[row] : 1);
        }
    }
}

// The widest entries and the titles stay clear of the grid lines, all ten rows are in view,
// and indices outside the grid change nothing.
TEST(ScoreWindow, EveryTextIsShownWhole) {
    frmScore window;
    const QStringList entry{"10", QString(18, u'Ж'), FormatPoints(INT32_MIN), "22.11.2000"};
    for (int column = 0; column < 4; ++column) {
        window.SetTextArray(36 + column, entry[column]);
        for (const QTableWidget* grid : window.findChildren<QTableWidget*>()) {
            const QTableWidgetItem* cell = grid->item(grid->rowCount() - 1, column);
            const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
            EXPECT_LE(QFontMetrics(cell->font()).horizontalAdvance(cell->text()),
                      grid->columnWidth(column) - 1 - 2 * margin)
                << cell->text().toStdString();
        }
    }
    window.SetTextArray(-1, "outside");
    window.SetTextArray(40, "outside");
    const auto* body = window.findChild<QTableWidget*>("Fg1");
    EXPECT_EQ(body->findItems("outside", Qt::MatchExactly).size(), 0);
    EXPECT_TRUE(body->viewport()->rect().contains(body->visualRect(body->model()->index(9, 3))));
    EXPECT_EQ(FormatPoints(0) + "/" + FormatPoints(-1234) + "/" + entry[2],
              "0/-1 234/-2 147 483 648");
}
