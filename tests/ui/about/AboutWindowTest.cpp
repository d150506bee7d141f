#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "DialogDriving.h"
#include "GuiTestSupport.h"
#include "frmAbout.h"

namespace zintu {
namespace {

using test::ExecWithAnswer;
using test::PressKey;

QString Displayed(QString text) {
    return text.replace(QChar(u'\r'), QChar(u'\n'));
}

TEST(AboutWindow, ControlsStandAtTheirPixelPositions) {
    frmAbout about;
    EXPECT_EQ(about.size(), QSize(289, 218));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    const std::pair<const char*, QRect> expected[] = {
        {"Command1", {108, 184, 73, 25}}, {"Picture1", {24, 16, 32, 32}},
        {"Label1", {64, 8, 209, 33}},     {"Label2", {8, 80, 273, 17}},
        {"Label3", {64, 48, 209, 25}},    {"Label4", {16, 112, 257, 60}},
    };
    for (const auto& [name, rect] : expected) {
        auto* control = about.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), rect) << name;
    }
}

TEST(AboutWindow, CaptionIconAndTitleBar) {
    frmAbout about;
    EXPECT_EQ(about.objectName(), "frmAbout");
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_FALSE(about.windowIcon().availableSizes().isEmpty());
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST(AboutWindow, TextsPictureAndFonts) {
    frmAbout about;
    auto* ok = about.findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());

    auto* title = about.findChild<QLabel*>("Label1");
    auto* author = about.findChild<QLabel*>("Label2");
    auto* version = about.findChild<QLabel*>("Label3");
    auto* thanks = about.findChild<QLabel*>("Label4");
    ASSERT_TRUE(title && author && version && thanks);
    EXPECT_EQ(title->text(), "Zintu");
    EXPECT_TRUE(title->font().bold());
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 13.5);
    EXPECT_EQ(title->font().families().value(0), "MS Sans Serif");
    EXPECT_TRUE(author->text().contains("Zintu"));
    EXPECT_TRUE(author->text().contains('@'));
    EXPECT_EQ(version->text(), "Версия  3.1  от  22.11.2000");
    EXPECT_EQ(thanks->text(), Displayed(ThanksText()));
    EXPECT_TRUE(thanks->wordWrap());
    EXPECT_NE(thanks->frameShape(), QFrame::NoFrame);
    for (const QLabel* label : {title, author, version, thanks}) {
        EXPECT_EQ(label->alignment(), Qt::AlignCenter) << label->objectName().toStdString();
    }

    auto* picture = about.findChild<QLabel*>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->frameShape(), QFrame::NoFrame);
    const QImage icon = picture->pixmap().toImage();
    EXPECT_EQ(picture->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    EXPECT_EQ(icon.pixelColor(icon.width() / 2, icon.height() / 2), QColor(255, 0, 0));
}

TEST(AboutWindow, ThanksRowsAreSeparatedByCarriageReturnsAlone) {
    const QString text = ThanksText();
    EXPECT_FALSE(text.contains(QChar(u'\n')));
    const QStringList rows = text.split(QChar(u'\r'));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], "Спасибо всем моим тестерам, а особенно");
    EXPECT_EQ(rows[2], "и");
    EXPECT_FALSE(rows[1].trimmed().isEmpty());
    EXPECT_FALSE(rows[3].trimmed().isEmpty());
}

// Labels do not grow: text that does not fit is cut off on screen.
TEST(AboutWindow, EveryTextFitsItsLabel) {
    frmAbout about;
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        auto* label = about.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr);
        const QRect needed = label->fontMetrics().boundingRect(label->text());
        EXPECT_LE(needed.width(), label->contentsRect().width()) << name;
        EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height()) << name;
    }
    auto* thanks = about.findChild<QLabel*>("Label4");
    ASSERT_NE(thanks, nullptr);
    const QStringList rows = ThanksText().split(QChar(u'\r'));
    for (const QString& row : rows) {
        EXPECT_LE(thanks->fontMetrics().horizontalAdvance(row), thanks->contentsRect().width())
            << row.toStdString();
    }
    EXPECT_LE(rows.size() * thanks->fontMetrics().lineSpacing(), thanks->contentsRect().height());
}

TEST(AboutWindow, OpensModalCentredOverItsOwnerWithFocusOnOk) {
    QWidget owner;
    owner.setGeometry(150, 90, 400, 315);
    owner.show();
    frmAbout about(&owner);
    const int result = ExecWithAnswer(about, [&](QWidget* modal) {
        EXPECT_EQ(modal, &about);
        EXPECT_EQ(QApplication::focusWidget(), about.findChild<QWidget*>("Command1"));
        const QPoint offset = about.frameGeometry().center() - owner.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << ", " << offset.y();
        about.accept();
    });
    EXPECT_EQ(result, QDialog::Accepted);
}

TEST(AboutWindow, OpeningTwiceShowsTheThanksOnce) {
    for (int opening = 0; opening < 2; ++opening) {
        frmAbout about;
        QString shown;
        ExecWithAnswer(about, [&](QWidget*) {
            shown = about.findChild<QLabel*>("Label4")->text();
            about.accept();
        });
        EXPECT_EQ(shown, Displayed(ThanksText())) << "opening " << opening;
    }
}

TEST(AboutWindow, EnterAndEscapeClose) {
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                      std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        frmAbout about;
        EXPECT_EQ(ExecWithAnswer(about, [key](QWidget*) { PressKey(key); }), result);
        EXPECT_FALSE(about.isVisible());
    }
}

TEST(AboutWindow, TabVisitsButtonPictureThenLabels) {
    frmAbout about;
    const QStringList names{"Command1", "Picture1", "Label1", "Label2", "Label3", "Label4"};
    EXPECT_EQ(test::TabOrder(about.findChild<QWidget*>("Command1"), names), names);
}

}  // namespace
}  // namespace zintu
