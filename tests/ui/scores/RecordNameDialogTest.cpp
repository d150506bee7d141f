#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "DialogDriving.h"
#include "GuiTestSupport.h"
#include "RecordNameDialog.h"

namespace zintu {
namespace {

using test::PressKey;
using test::RunWithModalAnswer;
using test::TypeText;

std::u32string Ask(int rank, const std::function<void(QInputDialog*)>& answer) {
    std::u32string name;
    RunWithModalAnswer([&] { name = AskRecordName(nullptr, rank); },
                       [&](QWidget* modal) {
                           auto* dialog = qobject_cast<QInputDialog*>(modal);
                           ASSERT_NE(dialog, nullptr);
                           answer(dialog);
                       });
    return name;
}

TEST(RecordNameDialog, TitleNamesTheRankAndTheFieldStartsEmpty) {
    for (const auto& [rank, title] :
         {std::pair{3, "Установлен рекорд номер 3"}, std::pair{10, "Установлен рекорд номер 10"}}) {
        Ask(rank, [title](QInputDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), title);
            EXPECT_EQ(dialog->labelText(), "Введите ваше имя");
            EXPECT_EQ(dialog->textValue(), "");
            EXPECT_EQ(dialog->inputMode(), QInputDialog::TextInput);
            dialog->reject();
        });
    }
}

TEST(RecordNameDialog, ReturnsTheAnswerAsTyped) {
    const QString typed = QStringLiteral("   Пётр Ёлкин-Сидоров, Zintu ");
    const std::u32string name = Ask(1, [&](QInputDialog*) {
        TypeText(typed);
        PressKey(Qt::Key_Return);
    });
    EXPECT_EQ(name, typed.toStdU32String());
}

TEST(RecordNameDialog, CancelAndClosingGiveAnEmptyAnswer) {
    const std::u32string cancelled = Ask(2, [](QInputDialog* dialog) {
        TypeText(QStringLiteral("Вера"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_TRUE(cancelled.empty());

    const std::u32string closed = Ask(2, [](QInputDialog* dialog) {
        TypeText(QStringLiteral("Вера"));
        dialog->close();
    });
    EXPECT_TRUE(closed.empty());

    const std::u32string escaped = Ask(2, [](QInputDialog*) {
        TypeText(QStringLiteral("Вера"));
        PressKey(Qt::Key_Escape);
    });
    EXPECT_TRUE(escaped.empty());
}

}  // namespace
}  // namespace zintu
