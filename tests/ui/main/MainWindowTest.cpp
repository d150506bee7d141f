#include "GuiTestSupport.h"
#include "PathText.h"
#include "PositionFile.h"
#include "ScoreFormat.h"
#include "TrayIcon.h"
#include "WindowSurface.h"
#include "Zintu.h"
#include "frmAbout.h"
#include "frmScore.h"
#include "frmZintu.h"

using namespace zintu;

class MainWindow : public ::testing::Test {
  protected:
    std::unique_ptr<frmZintu> Open() {
        auto made = std::make_unique<frmZintu>(ScoreFiles{ToPath(dir.path()), {}}, "");
        made->show();
        QApplication::setActiveWindow(made.get());
        return made;
    }
    QByteArray Bytes(const char* name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QPoint Cell(int i) { return {(350 + 500 * (i % 9)) / 15, (350 + 500 * (i / 9)) / 15}; }
    Zintu& Game() const { return window->Game(); }

    QTemporaryDir dir;
    std::unique_ptr<frmZintu> window = Open();
};

// Row: action, score, answer to each dialog (a name; "" cancels; "close" closes the window
// first) → dialogs seen, score file changed, new game, window open. The file carries over.
TEST_F(MainWindow, FlowsThroughTheirDialogs) {
    const QString rank = "Установлен рекорд номер ";
    const QString over = "Zintu: Игра закончена.\n\nВаш текущий результат - ";
    const QString list = "10 лучших рекордов: 1|Вера|1 500|D|2|Ира|42|D|3|Пётр|30|D||||";
    const std::tuple<const char*, int, QString, QStringList, bool, bool, bool> flows[] = {
        {"cmdNew", 0, "", {}, false, true, true},
        {"cmdNew", 1500, "Вера", {rank + "1"}, true, true, true},
        {"cmdNew", 70, "", {rank + "2"}, false, true, true},
        {"game over", 30, "Пётр", {over + "30", rank + "2"}, true, true, true},
        {"game over", 0, "close", {over + "0", "open"}, false, true, false},
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
            QStringList shown;
            for (auto* grid = modal->findChild<QTableWidget*>("Fg1"); grid && shown.size() < 16;)
                shown << grid->item(shown.size() / 4, shown.size() % 4)->text().trimmed();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                shown << box->text();
            const QString text =
                shown.join('|').replace(QDate::currentDate().toString("dd.MM.yyyy"), "D");
            seen << modal->windowTitle() + (text.isEmpty() ? "" : ": " + text);
            if (answer == "close")
                window->close(), seen << (window->isVisible() ? "open" : "closed");
            else if (auto* input = qobject_cast<QInputDialog*>(modal))
                input->setTextValue(answer);
            static_cast<QDialog*>(modal)->done(answer.isEmpty() || answer == "close" ? 0 : 1);
        });
        Game().Board.fill(0);
        const bool gameOver = action == std::string("game over");
        for (int cell = 1; gameOver && cell < 81; ++cell)
            Game().PutBall(cell % 9, cell / 9, (cell % 9 + 2 * (cell / 9)) % 7 + 1);  // no runs
        Game().Score = score;
        for (int cell = 1; gameOver && cell >= 0; --cell)
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, Cell(cell));
        if (auto* item = window->findChild<TrayIcon*>()->Menu().findChild<QAction*>(action))
            item->trigger();
        else if (!gameOver)
            window->findChild<QPushButton*>(action)->click();
        QApplication::processEvents();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(Bytes("Zintu.scr") != scores, writes);
        EXPECT_EQ(81 - Game().CountEmpty(), newGame ? 5 : 0);
        EXPECT_EQ(window->isVisible(), open);
    }
}

// A right release hides only from the window's own surface, not through a control; nothing
// takes the focus. With no notification area hiding minimises, to stay reachable.
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

// Double clicks as Windows (TD), XEmbed trays (TTD) and status-notifier hosts (TT) report
// them. T: Trigger, D: DoubleClick, C: Context, M: Middle, U: Unknown.
TEST_F(MainWindow, TrayRestoresOnADoubleClickInAnyForm) {
    int shows = 0;
    auto* tray = window->findChild<TrayIcon*>();
    QObject::connect(tray, &TrayIcon::ShowRequested, [&] { ++shows; });
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(50);
    for (const auto& [clicks, expected] : std::map<std::string, int>{
             {"T", 0}, {"CMU", 0}, {"TD", 1}, {"TTD", 1}, {"TT", 1}, {"TCT", 0}}) {
        shows = 0;
        for (const char click : clicks)
            tray->OnActivated(QSystemTrayIcon::ActivationReason(std::string("UCDTM").find(click)));
        QTest::qWait(80);  // past the double-click time, and the deferred restore has run
        EXPECT_EQ(shows, expected) << clicks;
    }
}

// Opening restores the position and its seed: saved again at once, the bytes are the same.
// "All files" lists names without an extension too.
TEST_F(MainWindow, SavedPositionOpensAgainAsItWas) {
    QFile(dir.filePath("game1")).open(QIODevice::WriteOnly);
    QStringList files{"game.poz", "game.poz", "again.poz"};
    AnswerModals(window.get(), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
        dialog->selectNameFilter(dialog->nameFilters().last());
        const auto* view = dialog->findChild<QListView*>("listView");
        EXPECT_TRUE(QTest::qWaitFor([view] {
            return view->model()
                ->match(view->model()->index(0, 0, view->rootIndex()), 0, "game1")
                .size();
        }));
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath(files.takeFirst()));
        static_cast<QDialog*>(dialog)->accept();
    });
    for (const char* button : {"cmdWrite", "cmdNew", "cmdRead", "cmdWrite"})
        window->findChild<QPushButton*>(button)->click();  // a new game and seed before opening
    EXPECT_TRUE(files.isEmpty());
    EXPECT_EQ(Bytes("again.poz"), Bytes("game.poz"));
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(7, 150), QColor(0, 0, 5)) << "the left grid line";
    const auto saved = ReadPositionFile(ToPath(dir.filePath("game.poz")));
    for (int cell = 0; cell < 81; ++cell)
        EXPECT_EQ(shot.pixelColor(Cell(cell)), ToQColor(Game().Palette[saved->Board[cell]]));
}

// Controls do not grow: the rows of every label and the widest text of every cell fit.
TEST_F(MainWindow, EveryTextFitsItsControl) {
    frmAbout about;
    frmScore list;
    const QStringList widest{"10", QString(18, u'Ж'), FormatPoints(INT32_MIN), "22.11.2000"};
    for (int column = 0; column < 4; ++column)
        list.SetTextArray(36 + column, widest[column]);
    for (const QWidget* top : std::initializer_list<QWidget*>{window.get(), &about, &list}) {
        for (const QLabel* label : top->findChildren<QLabel*>()) {
            const QStringList rows = label->text().split('\n');
            for (const QString& row : rows)
                EXPECT_LE(label->fontMetrics().horizontalAdvance(row),
                          label->contentsRect().width());
            EXPECT_LE(rows.size() * label->fontMetrics().lineSpacing(),
                      label->contentsRect().height());
        }
        for (const QTableWidget* grid : top->findChildren<QTableWidget*>()) {
            const int room = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 3;
            for (const QTableWidgetItem* cell : grid->findItems("", Qt::MatchContains))  // all
                EXPECT_LE(QFontMetrics(cell->font()).horizontalAdvance(cell->text()) + room,
                          grid->columnWidth(cell->column()))
                    << cell->text().toStdString();
        }
    }
}
