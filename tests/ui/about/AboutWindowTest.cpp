#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "DialogDriving.h"
#include "GuiTestSupport.h"
#include "frmAbout.h"

namespace zintu {
namespace {

using test::ExecWithAnswer;

TEST(AboutWindow, ControlsTextsAndFrame) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_EQ(about.size(), QSize(289, 218));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_FALSE(about.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const std::tuple<const char*, QRect, QString> expected[] = {
        {"Command1", {108, 184, 73, 25}, "OK"},
        {"Picture1", {24, 16, 32, 32}, ""},
        {"Label1", {64, 8, 209, 33}, "Zintu"},
        {"Label2", {8, 80, 273, 17}, "Проект Zintu, zintu@project.invalid"},
        {"Label3", {64, 48, 209, 25}, "Версия  3.1  от  22.11.2000"},
        {"Label4", {16, 112, 257, 60}, QString(ThanksText()).replace('\r', '\n')},
    };
    for (const auto& [name, rect, text] : expected) {
        auto* control = about.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), rect) << name;
        EXPECT_EQ(control->property("text").toString(), text) << name;
    }
    EXPECT_TRUE(about.findChild<QPushButton*>("Command1")->isDefault());
    EXPECT_TRUE(HasSingleLineBorder(about.findChild<QLabel*>("Label4")));
    const QImage icon = about.findChild<QLabel*>("Picture1")->pixmap().toImage();
    EXPECT_EQ(icon.pixelColor(icon.width() / 2, icon.height() / 2), QColor(255, 0, 0));
}

TEST(AboutWindow, ThanksRowsAreSeparatedByCarriageReturnsAlone) {
    const QString text = ThanksText();
    EXPECT_FALSE(text.contains('\n'));
    const QStringList rows = text.split('\r');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], "Спасибо всем моим тестерам, а особенно");
    EXPECT_EQ(rows[2], "и");
    // Labels do not grow: a row that wraps pushes the last one out of sight.
    frmAbout about;
    const QLabel* thanks = about.findChild<QLabel*>("Label4");
    for (const QString& row : rows) {
        EXPECT_LE(thanks->fontMetrics().horizontalAdvance(row), thanks->contentsRect().width());
    }
    EXPECT_LE(rows.size() * thanks->fontMetrics().lineSpacing(), thanks->contentsRect().height());
}

// Each opening is a new window; Enter closes the first, Escape the second.
TEST(AboutWindow, OpensModalOverItsOwnerWithTheThanksOnceEachTime) {
    QWidget owner;
    owner.setGeometry(150, 90, 400, 315);
    owner.show();
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                      std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        frmAbout about(&owner);
        const int closedWith = ExecWithAnswer(about, [&, key = key](QWidget* modal) {
            EXPECT_EQ(modal, &about);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), "Command1");
            const QPoint offset = about.frameGeometry().center() - owner.frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 2) << "off centre";
            EXPECT_EQ(about.findChild<QLabel*>("Label4")->text().count("Спасибо"), 1);
            test::PressKey(key);
        });
        EXPECT_EQ(closedWith, result);
        EXPECT_FALSE(about.isVisible());
    }
}

}  // namespace
}  // namespace zintu
