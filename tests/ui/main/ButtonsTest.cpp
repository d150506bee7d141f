#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStyleHints>
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

    static std::vector<char> FileBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<char> ScoreBytes() const { return FileBytes(ScoreFile()); }
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

    // The filters as the player reads them in the dialog.
    static QStringList ShownFilters(QFileDialog* dialog) {
        auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
        QStringList shown;
        for (int i = 0; combo && i < combo->count(); ++i) {
            shown << combo->itemText(i);
        }
        return shown;
    }

    // The names the dialog lists under each of its filters, in order of the filters.
    static std::vector<QStringList> ListingPerFilter(QFileDialog* dialog) {
        auto* list = dialog->findChild<QListView*>("listView");
        const auto listed = [list] {
            QStringList names;
            const QModelIndex root = list->rootIndex();
            for (int row = 0; row < list->model()->rowCount(root); ++row) {
                names << list->model()->index(row, 0, root).data().toString();
            }
            names.sort();
            return names;
        };
        std::vector<QStringList> listings;
        for (const QString& filter : dialog->nameFilters()) {
            dialog->selectNameFilter(filter);
            // The folder is read in the background; let it arrive and be filtered.
            EXPECT_TRUE(QTest::qWaitFor([&] { return listed().contains("game.poz"); }));
            QTest::qWait(100);
            listings.push_back(listed());
        }
        return listings;
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
}

// Through the window, as the platform delivers them, so that a control under the pointer
// receives the click first.
TEST_F(Buttons, RightClickHidesOnlyFromTheWindowsOwnSurfaceAndTakesNoFocus) {
    const std::tuple<const char*, QPoint, bool> cases[] = {
        {"board", {150, 150}, true},    {"bare client area", {315, 300}, true},
        {"cmdExit", {360, 260}, false}, {"lblNew", {360, 42}, false},
        {"Frame1", {360, 55}, false},
    };
    for (const auto& [what, at, hides] : cases) {
        window = MakeWindow();
        QApplication::setActiveWindow(window.get());
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, at);
        EXPECT_EQ(bool(window->windowState() & Qt::WindowMinimized), hides) << what;
        EXPECT_EQ(window->focusWidget(), Child("cmdHide")) << what;
    }
}

TEST_F(Buttons, SpaceEnterAndKeypadEnterPressTheFocusedButton) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Space, Qt::NoModifier},
        {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const auto& [key, modifiers] : keys) {
        window = MakeWindow();
        ASSERT_EQ(window->focusWidget(), Child("cmdHide"));
        QTest::keyClick(window->focusWidget(), key, modifiers);
        EXPECT_TRUE(window->windowState() & Qt::WindowMinimized) << key;
    }
}

// Windows reports a double click as Trigger then DoubleClick, an XEmbed tray as Trigger,
// Trigger, DoubleClick, a status-notifier host as two Triggers.
TEST_F(Buttons, TrayShowsTheWindowOnDoubleClickOrShowAndIgnoresTheRest) {
    using Reason = QSystemTrayIcon::ActivationReason;
    window = MakeWindow();
    auto* tray = window->findChild<TrayIcon*>();
    ASSERT_NE(tray, nullptr);
    int shows = 0;
    QObject::connect(tray, &TrayIcon::ShowRequested, [&] { ++shows; });
    QStyleHints* hints = QGuiApplication::styleHints();
    const int interval = hints->mouseDoubleClickInterval();
    hints->setMouseDoubleClickInterval(50);
    const std::pair<std::vector<Reason>, int> cases[] = {
        {{QSystemTrayIcon::Trigger}, 0},
        {{QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}, 0},
        {{QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}, 1},
        {{QSystemTrayIcon::Trigger, QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}, 1},
        {{QSystemTrayIcon::Trigger, QSystemTrayIcon::Trigger}, 1},
        {{QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::Trigger}, 0},
    };
    for (const auto& [reasons, expected] : cases) {
        shows = 0;
        for (const Reason reason : reasons) {
            tray->OnActivated(reason);
        }
        QTest::qWait(80);  // past the double-click time, and the deferred restore has run
        EXPECT_EQ(shows, expected) << reasons.size() << " activations, the first " << reasons[0];
    }
    hints->setMouseDoubleClickInterval(interval);

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

// A position may be saved under a name without an extension.
TEST_F(Buttons, OpenDialogListsEveryFileUnderAllFiles) {
    window = MakeWindow();
    for (const char* name : {"game.poz", "game1"}) {
        std::ofstream(Folder() / name) << "position";
    }
    QStringList filters;
    std::vector<QStringList> listings;
    OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = ShownFilters(dialog);
        listings = ListingPerFilter(dialog);
        dialog->reject();
    });
    Press("cmdRead");
    EXPECT_EQ(filters, (QStringList{"Файл позиции для Zintu (*.poz)", "All files (*.*)"}));
    EXPECT_EQ(listings,
              (std::vector<QStringList>{{"game.poz"}, {"Zintu.scr", "game.poz", "game1"}}));
}

TEST_F(Buttons, SavedPositionRestoresTheGameAndItsFutureBalls) {
    window = MakeWindow();
    const QString file = QString::fromStdString((Folder() / "game.poz").string());
    QStringList filters;
    QString directory;
    OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = ShownFilters(dialog);
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
    Press("cmdNew");  // another seed, which opening must replace with the saved one

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
    const QString again = QString::fromStdString((Folder() / "again.poz").string());
    OnModal([&](QWidget* modal) { ChooseFile(qobject_cast<QFileDialog*>(modal), again); });
    Press("cmdWrite");
    EXPECT_EQ(FileBytes(Folder() / "again.poz"), FileBytes(Folder() / "game.poz"))
        << "saved at once, the opened position comes back byte for byte";
    EXPECT_EQ(playMove(), afterMove) << "the same move brings the same balls";
}

}  // namespace
}  // namespace zintu::test
