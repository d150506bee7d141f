#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "StandardTexts.h"

namespace zintu {
namespace {

TEST(StandardTexts, FollowTheGivenLanguage) {
    const auto russian = InstallStandardTexts(QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_NE(russian, nullptr) << "Qt's Russian texts are not installed";
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Отмена");
}

}  // namespace
}  // namespace zintu
