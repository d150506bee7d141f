#include "GuiTestSupport.h"
#include "frmAbout.h"

// Labels do not grow: a row that wraps would push the last one out of sight.
TEST(AboutWindow, ThanksRowsSplitAtCarriageReturnsAloneAndFitTheirLabel) {
    const QStringList rows = zintu::ThanksText().split('\r');
    EXPECT_EQ(rows.size(), 4);
    const zintu::frmAbout about;
    const QLabel* thanks = about.findChild<QLabel*>("Label4");
    for (const QString& row : rows) {
        EXPECT_LE(thanks->fontMetrics().horizontalAdvance(row), thanks->contentsRect().width());
    }
    EXPECT_LE(rows.size() * thanks->fontMetrics().lineSpacing(), thanks->contentsRect().height());
    EXPECT_EQ(thanks->text().count("Спасибо"), 1);
}
