#include "GuiTestSupport.h"
#include "PathText.h"
#include "TrayIcon.h"
#include "WindowSurface.h"
#include "Zintu.h"
#include "frmZintu.h"

using namespace zintu;

class MainWindow : public ::testing::Test {
  protected:
    std::unique_ptr<frmZintu> Open() {
        auto made = std::make_unique<frmZintu>(
            ScoreFiles{ToPath(dir.path()), ToPath(dir.filePath("Zintu.ini"))}, "");
        made->show();
        QApplication::setActiveWindow(made.get());
        return made;
    }
    QByteArray Bytes(const char* name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QPoint Cell(int cell) {
        return {(350 + 500 * (cell % 9)) / 15, (350 + 500 * (cell / 9)) / 15};
    }
    Zintu& Game() const { return window->Game(); }
    void Press(const char* name) const { window->findChild<QPushButton*>(name)->click(); }

    QTemporaryDir dir;
    std::unique_ptr<frmZintu> window = Open();
};

// Per row: what the player does with which score, and each dialog's answer (a name, "" to
// cancel, "close": the main window is closed first); then the dialogs seen, whether the
// score file changed, a new game began, the window stays open. The score file is kept from
// row to row, and the last row lists it.
TEST_F(MainWindow, FlowsThroughTheirDialogs) {
    const QString rank = "Установлен рекорд номер ",
                  over = "Zintu: Игра закончена.\n\nВаш текущий результат - ";
    const QString list = "10 лучших рекордов: 1|Вера|1 500|D|2|Ира|42|D|3|Пётр|30|D||||";
    const std::tuple<const char*, int, QString, QStringList, bool, bool, bool> flows[] = {
        {"cmdNew", 0, "", {}, false, true, true},
        {"cmdNew", 1500, "Вера", {rank + "1"}, true, true, true},
        {"cmdNew", 70, "", {rank + "2"}, false, true, true},
        {"game over", 30, "Пётр", {over + "30", rank + "2"}, true, true, true},
        {"game over", 0, "close", {over + "0", "still open"}, false, true, false},
        {"cmdExit", 42, "Ира", {rank + "2"}, true, false, false},
        {"mnuPopMenuExit", 900, "", {}, false, false, false},
        {"Command1", 900, "", {"О программе"}, false, false, true},
        {"cmdScore", 0, "", {list}, false, false, true}};
    for (const auto& [action, score, answer, expected, writes, newGame, open] : flows) {
        SCOPED_TRACE(action + (" " + answer).toStdString());
        window = Open();
        const QByteArray scores = Bytes("Zintu.scr");
        QStringList seen;
        AnswerModals(window.get(), [&, answer = answer](QWidget* modal) {
            QStringList cells;
            for (auto* grid = modal->findChild<QTableWidget*>("Fg1"); grid && cells.size() < 16;)
                cells << grid->item(cells.size() / 4, cells.size() % 4)->text().trimmed();
            const QString shown =
                qobject_cast<QMessageBox*>(modal)
                    ? static_cast<QMessageBox*>(modal)->text()
                    : cells.join('|').replace(QDate::currentDate().toString("dd.MM.yyyy"), "D");
            seen << modal->windowTitle() + (shown.isEmpty() ? "" : ": " + shown);
            if (answer == "close") {
                window->close();
                seen << (window->isVisible() ? "still open" : "closed");
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                input->setTextValue(answer);
            }
            static_cast<QDialog*>(modal)->done(answer.isEmpty() || answer == "close" ? 0 : 1);
        });
        Game().Board.fill(0);
        const bool gameOver = action == std::string("game over");
        for (int cell = 1; gameOver && cell < 81; ++cell)
            Game().PutBall(cell % 9, cell / 9, (cell % 9 + 2 * (cell / 9)) % 7 + 1);  // no runs
        Game().Score = score;
        if (gameOver) {
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, Cell(1));
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, Cell(0));
        } else if (auto* item =
                       window->findChild<TrayIcon*>()->Menu().findChild<QAction*>(action)) {
            item->trigger();
        } else {
            Press(action);
        }
        QApplication::processEvents();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(Bytes("Zintu.scr") != scores, writes);
        EXPECT_EQ(81 - Game().CountEmpty(), newGame ? 5 : 0);
        EXPECT_EQ(window->isVisible(), open);
    }
}

// A right release hides only from the window's own surface, never through a control, and
// no release or key takes the focus from "Свернуть". With no notification area the window
// minimises instead, to stay reachable.
TEST_F(MainWindow, ReleasesAndKeysHideOrPlay) {
    ASSERT_FALSE(TrayIcon::Available());
    const std::tuple<int, Qt::MouseButton, QPoint, bool> inputs[] = {
        {0, Qt::RightButton, {150, 150}, true},
        {0, Qt::RightButton, {315, 300}, true},
        {0, Qt::RightButton, {360, 260}, false},
        {0, Qt::RightButton, {360, 42}, false},
        {0, Qt::LeftButton, {150, 150}, false},
        {Qt::Key_Return, {}, {}, true},
        {Qt::Key_Enter, {}, {}, true}};
    for (const auto& [key, button, at, hides] : inputs) {
        window = Open();
        Game().Board.fill(0);
        Game().PutBall(4, 4, 1);
        Game().SelCol = -1;
        key ? QTest::keyClick(window->focusWidget(), Qt::Key(key), Qt::KeypadModifier)
            : QTest::mouseClick(window->windowHandle(), button, {}, at);
        EXPECT_EQ(window->isMinimized(), hides) << key << " " << at.x() << "," << at.y();
        EXPECT_EQ(Game().SelCol, button == Qt::LeftButton ? 4 : -1);
        EXPECT_EQ(window->focusWidget()->objectName(), "cmdHide");
    }
}

// Windows reports a double click as Trigger, DoubleClick; an XEmbed tray as Trigger, Trigger,
// DoubleClick; a status-notifier host as two Triggers. C: Context, M: Middle, U: Unknown.
TEST_F(MainWindow, TrayRestoresOnADoubleClickInAnyFormOrShow) {
    auto* tray = window->findChild<TrayIcon*>();
    int shows = 0;
    QObject::connect(tray, &TrayIcon::ShowRequested, [&] { ++shows; });
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(50);
    for (const auto& [clicks, expected] : std::map<std::string, int>{
             {"T", 0}, {"CMU", 0}, {"TD", 1}, {"TTD", 1}, {"TT", 1}, {"TCT", 0}}) {
        shows = 0;
        for (const char click : clicks) {
            tray->OnActivated(QSystemTrayIcon::ActivationReason(std::string("UCDTM").find(click)));
        }
        QTest::qWait(80);  // past the double-click time, and the deferred restore has run
        EXPECT_EQ(shows, expected) << clicks;
    }
    window->hide();
    tray->Menu().findChild<QAction*>("mnuPopMenuShow")->trigger();
    EXPECT_TRUE(window->isVisible());
}

// Opening restores the position with its seed: saved again at once, it is the same bytes.
// The open dialog lists names without an extension too.
TEST_F(MainWindow, SavedPositionOpensAgainAsItWas) {
    QFile(dir.filePath("game1")).open(QIODevice::WriteOnly);
    QStringList files{"game.poz", "game.poz", "again.poz"};
    AnswerModals(window.get(), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
        if (dialog->acceptMode() == QFileDialog::AcceptOpen) {
            dialog->selectNameFilter(dialog->nameFilters().last());
            const auto* view = dialog->findChild<QListView*>("listView");
            const QModelIndex first = view->model()->index(0, 0, view->rootIndex());
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return !view->model()->match(first, 0, "game1").isEmpty(); }));
        }
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath(files.takeFirst()));
        static_cast<QDialog*>(dialog)->accept();
    });
    Press("cmdWrite");
    const Grid saved = Game().Board;
    Press("cmdNew");  // another game and seed, which opening must replace
    Press("cmdRead");
    Press("cmdWrite");
    EXPECT_TRUE(files.isEmpty());
    EXPECT_EQ(Bytes("again.poz"), Bytes("game.poz"));
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(7, 150), QColor(0, 0, 5)) << "the left grid line";
    for (int cell = 0; cell < 81; ++cell) {
        EXPECT_EQ(shot.pixelColor(Cell(cell)), ToQColor(Game().Palette[saved[cell]])) << cell;
    }
}
