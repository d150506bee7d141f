#include "GuiTestSupport.h"
#include "ScoreFormat.h"
#include "frmScore.h"

using namespace zintu;

// Per row: the names from the top, then the row span of each name cell. Equal neighbours
// merge, the blank rows below too, while the switch is on (as each window opens). Cells
// outside the grid are ignored.
TEST(ScoreWindow, EqualNeighbourNamesMergeWhileTheSwitchIsOn) {
    const std::pair<QStringList, std::vector<int>> tables[] = {
        {{"Аня", "Борис", "Борис"}, {1, 2, 2, 7, 7, 7, 7, 7, 7, 7}},
        {{"", "Борис", "Вера", "Борис", "", "Дима", " Дима"}, {1, 1, 1, 1, 1, 1, 1, 3, 3, 3}},
        {{}, std::vector<int>(10, 10)}};
    for (const auto& [names, spans] : tables) {
        frmScore window;
        window.Clear();
        for (int row = -1; row <= names.size(); ++row)
            window.SetTextArray(row < names.size() ? row * 4 + 1 : 40,
                                names.value(row).leftJustified(18));
        for (const bool merge : {true, false}) {
            window.findChild<QCheckBox*>("CheckTable")->setChecked(merge);
            for (int row = 0; row < 10; ++row)
                EXPECT_EQ(window.findChild<QTableWidget*>("Fg1")->rowSpan(row, 1),
                          merge ? spans[row] : 1);
        }
    }
    EXPECT_EQ(FormatPoints(0) + "/" + FormatPoints(-1234), "0/-1 234");
}
