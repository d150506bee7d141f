#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <iterator>

#include "DialogDriving.h"
#include "MainWindowFixture.h"
#include "OleDate.h"
#include "ScoreFile.h"
#include "TrayIcon.h"

namespace zintu::test {
namespace {

class Buttons : public MainWindowFixture {
  protected:
    void Press(const char* name) { Child<QPushButton>(name)->click(); }

    std::vector<char> ScoreBytes() const {
        std::ifstream in(ScoreFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    ScoreTable StoredTable() const { return ReadScoreFile(ScoreFile(), OleNow()); }

    // Records any modal window that opens and answers it with `answer`.
    void OnModal(std::function<void(QWidget*)> answer) {
        AnswerNextModal(window.get(), [this, answer = std::move(answer)](QWidget* modal) {
            modals.push_back(modal->windowTitle());
            answer(modal);
        });
    }
    static void TypeName(QWidget* modal, const QString& name) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(input, nullptr);
        input->setTextValue(name);
        input->accept();
    }

    // Types the path into the name field, as a player would: selecting the file instead
    // waits for the dialog to have listed its folder.
    static void ChooseFile(QFileDialog* dialog, const QString& path) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    }

    QStringList modals;
};

TEST_F(Buttons, NewGameWithoutPointsAsksNothing) {
    window = MakeWindow();
    OnModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    Game().Board.fill(0);
    Press("cmdNew");
    EXPECT_TRUE(modals.isEmpty());
    EXPECT_EQ(81 - Game().CountEmpty(), 5);
    EXPECT_EQ(Game().DrawCount, 13);
}

TEST_F(Buttons, NewGameOffersAQualifyingScoreFirst) {
    window = MakeWindow();
    Game().Score = 500;
    OnModal([](QWidget* modal) { TypeName(modal, "Вера"); });
    Press("cmdNew");
    EXPECT_EQ(modals, QStringList{"Установлен рекорд номер 1"});
    EXPECT_EQ(Child<QLabel>("lblNew")->text(), "0");
    EXPECT_EQ(Child<QLabel>("lblScore")->text(), "500");
    const ScoreTable stored = StoredTable();
    EXPECT_EQ(stored[0].Points, 500);
    EXPECT_EQ(stored[0].Name, U"Вера              ");
}

TEST_F(Buttons, CancelledNameRecordsNothingAndTheGameStillRestarts) {
    window = MakeWindow();
    const std::vector<char> before = ScoreBytes();
    Game().Score = 70;
    OnModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    Press("cmdNew");
    EXPECT_EQ(modals.size(), 1);
    EXPECT_EQ(ScoreBytes(), before);
    EXPECT_EQ(Game().Score, 0);
}

TEST_F(Buttons, ExitStoresTheRecordThenCloses) {
    window = MakeWindow();
    Game().Score = 42;
    OnModal([](QWidget* modal) { TypeName(modal, "  Пётр"); });
    Press("cmdExit");
    QApplication::processEvents();
    EXPECT_EQ(modals.size(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(StoredTable()[0].Name, U"  Пётр            ");
}

TEST_F(Buttons, CloseBoxAndTrayExitNeverAsk) {
    for (const bool fromTray : {false, true}) {
        window = MakeWindow();
        const std::vector<char> before = ScoreBytes();
        Game().Score = 900;
        OnModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
        if (fromTray) {
            auto* tray = window->findChild<TrayIcon*>();
            ASSERT_NE(tray, nullptr);
            QAction* exit = tray->Menu().findChild<QAction*>("mnuPopMenuExit");
            ASSERT_NE(exit, nullptr);
            EXPECT_EQ(exit->text(), "Выход");
            exit->trigger();
        } else {
            window->close();
        }
        EXPECT_FALSE(window->isVisible()) << fromTray;
        EXPECT_TRUE(modals.isEmpty()) << fromTray;
        EXPECT_EQ(ScoreBytes(), before) << fromTray;
    }
}

TEST_F(Buttons, HideMinimisesWhereThereIsNoNotificationArea) {
    window = MakeWindow();
    ASSERT_FALSE(TrayIcon::Available()) << "offscreen has no notification area";
    Press("cmdHide");
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(window->isHidden()) << "still reachable from the task bar";

    window = MakeWindow();
    QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(150, 150));
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
}

TEST_F(Buttons, TrayShowsTheWindowOnDoubleClickOrShowAndIgnoresTheRest) {
    window = MakeWindow();
    auto* tray = window->findChild<TrayIcon*>();
    ASSERT_NE(tray, nullptr);
    int shows = 0;
    int nested = 0;
    QObject::connect(tray, &TrayIcon::ShowRequested, [&] {
        ++shows;
        // A second activation while the first is handled is dropped.
        tray->OnActivated(QSystemTrayIcon::DoubleClick);
        ++nested;
    });
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context,
                              QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
        tray->OnActivated(reason);
    }
    EXPECT_EQ(shows, 0);
    tray->OnActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(nested, 1);

    window->hide();
    QAction* show = tray->Menu().findChild<QAction*>("mnuPopMenuShow");
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->text(), "Показать");
    show->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(tray->IsShown());
}

TEST_F(Buttons, AboutIsModalAndOpensAgain) {
    window = MakeWindow();
    for (int round = 0; round < 2; ++round) {
        QString name;
        bool modal = false;
        OnModal([&](QWidget* about) {
            name = about->objectName();
            modal = QApplication::activeModalWidget() == about &&
                    about->windowModality() != Qt::NonModal;
            static_cast<QDialog*>(about)->accept();
        });
        Press("Command1");
        EXPECT_EQ(name, "frmAbout") << round;
        EXPECT_TRUE(modal) << round;
    }
}

TEST_F(Buttons, ScoreListShowsTheStoredTable) {
    window = MakeWindow();
    ScoreTable table = BlankTable(OleNow());
    table[0] = {FitName(U"Анна"), 1234567, OleDateFromCivil({2001, 3, 1}), 0.5};
    table[1] = {FitName(U"Борис"), 42, OleDateFromCivil({2000, 11, 22}), 0.25};
    ASSERT_TRUE(WriteScoreFile(ScoreFile(), table));
    QStringList cells;
    OnModal([&](QWidget* list) {
        auto* grid = list->findChild<QTableWidget*>("Fg1");
        ASSERT_NE(grid, nullptr);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 4; ++col) {
                const QTableWidgetItem* item = grid->item(row, col);
                cells << (item ? item->text() : QString());
            }
        }
        static_cast<QDialog*>(list)->accept();
    });
    Press("cmdScore");
    EXPECT_EQ(modals, QStringList{"10 лучших рекордов"});
    EXPECT_EQ(cells, (QStringList{"1", "Анна              ", "1 234 567", "01.03.2001",  //
                                  "2", "Борис             ", "42", "22.11.2000",         //
                                  "", "", "", ""}));
    EXPECT_EQ(Child<QLabel>("lblScore")->text(), "1234567");
    EXPECT_EQ(window->Fgi(2, 3), 11);
    EXPECT_EQ(window->Fgi(8192, 0), -32768) << "wraps at 16 bits";
}

TEST_F(Buttons, SavedPositionRestoresTheGameAndItsFutureBalls) {
    window = MakeWindow();
    const QString file = QString::fromStdString((Folder() / "game.poz").string());
    QStringList filters;
    QString directory;
    OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
        ChooseFile(dialog, file);
    });
    Press("cmdWrite");
    EXPECT_EQ(std::filesystem::file_size(Folder() / "game.poz"), 193u);
    EXPECT_EQ(filters, (QStringList{"Файл позиции для Zintu (*.poz)", "All files (*.*)"}));
    EXPECT_EQ(directory.toStdString(), Folder().string());
    const Grid saved = Game().Board;

    // A move from the first ball to the first cell it can reach, with its drops.
    const auto playMove = [this] {
        const auto ball = std::find_if(Game().Board.begin(), Game().Board.end(),
                                       [](std::int16_t code) { return code > 0; });
        const int from = static_cast<int>(ball - Game().Board.begin());
        ClickCell(from % 9, from / 9);
        for (int to = 0; to < 81; ++to) {
            if (Game().Board[to] == 0 && Game().FindPath(to % 9, to / 9)) {
                ClickCell(to % 9, to / 9);
                break;
            }
        }
        return Game().Board;
    };
    const Grid afterMove = playMove();
    ASSERT_NE(afterMove, saved);

    OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        ChooseFile(dialog, file);
    });
    Press("cmdRead");
    EXPECT_EQ(modals, (QStringList{"Сохранить текущее расположение шариков",
                                   "Восстановить сохраненное расположение шариков"}));
    EXPECT_EQ(Game().Board, saved);
    for (int col = 0; col < 9; ++col) {
        for (int row = 0; row < 9; ++row) {
            EXPECT_EQ(BallPixel(col, row), CellColor(col, row)) << col << "," << row;
        }
    }
    EXPECT_EQ(playMove(), afterMove) << "the same move brings the same balls";
}

}  // namespace
}  // namespace zintu::test
