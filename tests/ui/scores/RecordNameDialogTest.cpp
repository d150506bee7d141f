#include <QDialogButtonBox>
#include <QInputDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include "DialogDriving.h"
#include "GuiTestSupport.h"
#include "RecordNameDialog.h"

namespace zintu {
namespace {

std::u32string Ask(int rank, const std::function<void(QInputDialog*)>& answer) {
    std::u32string name;
    test::RunWithModalAnswer([&] { name = AskRecordName(nullptr, rank); },
                             [&](QWidget* modal) {
                                 auto* dialog = qobject_cast<QInputDialog*>(modal);
                                 ASSERT_NE(dialog, nullptr);
                                 answer(dialog);
                             });
    return name;
}

TEST(RecordNameDialog, AsksWithTheRankInTheTitle) {
    for (const int rank : {3, 10}) {
        Ask(rank, [rank](QInputDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Установлен рекорд номер " + QString::number(rank));
            EXPECT_EQ(dialog->labelText(), "Введите ваше имя");
            EXPECT_EQ(dialog->textValue(), "");
            dialog->accept();
        });
    }
}

TEST(RecordNameDialog, ReturnsTheAnswerAsTypedOrNothingOnCancel) {
    const QString typed = "   Пётр Ёлкин-Сидоров, Zintu ";
    EXPECT_EQ(Ask(1,
                  [&](QInputDialog*) {
                      test::TypeText(typed);
                      test::PressKey(Qt::Key_Return);
                  }),
              typed.toStdU32String());
    EXPECT_EQ(Ask(2,
                  [](QInputDialog* dialog) {
                      test::TypeText("Вера");
                      auto* buttons = dialog->findChild<QDialogButtonBox*>();
                      buttons->button(QDialogButtonBox::Cancel)->click();
                  }),
              U"");
    EXPECT_EQ(Ask(2,
                  [](QInputDialog* dialog) {
                      test::TypeText("Вера");
                      dialog->close();
                  }),
              U"");
}

}  // namespace
}  // namespace zintu
