#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include "engine/Zintu.h"
#include "storage/OleDate.h"
#include "storage/ScoreFile.h"
#include "ui/about/frmAbout.h"
#include "ui/common/ProgramIcon.h"
#include "ui/common/StandardTexts.h"
#include "ui/main/BackBuffer.h"
#include "ui/main/BallShape.h"
#include "ui/main/BoardCursor.h"
#include "ui/main/CommandLine.h"
#include "ui/main/MoveStep.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/frmZintu.h"
#include "ui/scores/ScoreFormat.h"
#include "ui/scores/frmScore.h"

using namespace zintu;

// Before GoogleTest reads its flags; a developer's scaling and dialog history stay out.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const auto russian = InstallStandardTexts(QLocale(QLocale::Russian, QLocale::Russia));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Hands each modal window, once it has the focus, to `answer` while `scope` lives.
void AnswerModals(QObject* scope, std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(scope);
    QObject::connect(timer, &QTimer::timeout, [answer, last = QPointer<QWidget>()]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != last && modal->isActiveWindow() && modal->focusWidget())
            answer(last = modal);
    });
    timer->start(10);
}

class MainWindow : public ::testing::Test {
  protected:
    std::unique_ptr<frmZintu> Open(const QString& arguments = "") {
        auto made =
            std::make_unique<frmZintu>(ScoreFiles{dir.path().toStdU16String(), {}}, arguments);
        made->show();
        Settle(*made);
        return made;
    }
    // Until every table asked for has arrived: the files are read and written elsewhere.
    static void Settle(const frmZintu& window) {
        while (!window.ScoresSettled())
            QTest::qWait(1);
    }
    QByteArray Bytes(const char* name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QPoint Cell(int i) {
        const TwipPoint centre = CellCentre(i % kBoardSize, i / kBoardSize);
        return {centre.X / 15, centre.Y / 15};
    }
    Zintu& Game() const { return window->Game(); }
    QTemporaryDir dir;
    std::unique_ptr<frmZintu> window = Open();
};

// Action, score, answer ("" cancels, "close" closes first) → dialogs, file changed, new game, open
TEST_F(MainWindow, FlowsThroughTheirDialogs) {
    const QString rank = "Установлен рекорд номер %1: Отмена";
    const QString over = "Zintu: Игра закончена.\n\nВаш текущий результат - ";
    const QString list =
        "10 лучших рекордов: 1|Анна|2 000|D|2|Вера|1 500|D|3|Ира|42|D|4|Пётр|30|D||||";
    const QString today = QDate::currentDate().toString("dd.MM.yyyy");
    const std::tuple<const char*, int, QString, QStringList, bool, bool, bool> flows[] = {
        {"cmdNew", 1500, "Вера", {rank.arg(1)}, true, true, true},
        {"cmdNew", 70, "", {rank.arg(2)}, false, true, true},
        {"game over", 30, "Пётр", {over + "30", rank.arg(2)}, true, true, true},
        {"game over", 0, "close", {over + "0", "open"}, false, true, false},
        {"cmdExit", 42, "Ира", {rank.arg(2)}, true, false, false},
        {"mnuPopMenuExit", 900, "", {}, false, false, false},
        {"Command1", 900, "", {"О программе: "}, false, false, true},
        {"cmdScore", 0, "", {list}, false, false, true}};
    for (const auto& [action, score, answer, expected, writes, newGame, open] : flows) {
        SCOPED_TRACE(action + (" " + answer).toStdString());
        window = Open();
        if (action == std::string("cmdScore")) {  // stored elsewhere since: shown once it arrives
            const std::filesystem::path file = dir.filePath("Zintu.scr").toStdU16String();
            ScoreTable table = ReadScoreFile(file, {});
            InsertRecord(table, 1, {FitName(U"Анна"), 2000, OleNow().Date, 0});
            WriteScoreFile(file, table);
        }
        const QByteArray scores = Bytes("Zintu.scr");
        QStringList seen;
        AnswerModals(window.get(), [&, answer = answer](QWidget* modal) {
            Settle(*window);
            QStringList shown;
            for (auto* grid = modal->findChild<QTableWidget*>("Fg1"); grid && shown.size() < 20;)
                shown << grid->item(shown.size() / 4, shown.size() % 4)->text().trimmed();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                shown << box->text();
            else if (auto* input = qobject_cast<QInputDialog*>(modal))
                shown << input->findChild<QDialogButtonBox*>()->buttons().last()->text();
            seen << modal->windowTitle() + ": " + shown.join('|').replace(today, "D");
            if (answer == "close")
                window->close(), seen << (window->isVisible() ? "open" : "closed");
            else if (auto* input = qobject_cast<QInputDialog*>(modal))
                input->setTextValue(answer);
            static_cast<QDialog*>(modal)->done(answer.isEmpty() || answer == "close" ? 0 : 1);
        });
        const bool gameOver = action == std::string("game over");
        SavedPosition position{.Score = score, .NextColors = Game().State().NextColors};
        for (int cell = 1; gameOver && cell < 81; ++cell)
            position.Board[cell] = (cell % 9 + 2 * (cell / 9)) % 7 + 1;  // no runs
        Game().RestorePosition(position);
        for (int cell = 1; gameOver && cell >= 0; --cell)
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, Cell(cell));
        if (auto* item = window->findChild<TrayIcon*>()->Menu().findChild<QAction*>(action))
            item->trigger();
        else if (!gameOver)
            window->findChild<QPushButton*>(action)->click();
        QApplication::processEvents();
        Settle(*window);
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(Bytes("Zintu.scr") != scores, writes);
        EXPECT_EQ(81 - Game().CountEmpty(), newGame ? 5 : 0);
        EXPECT_EQ(window->isVisible(), open);
    }
}

// Right releases hide from the window's own surface only, never through a control, taking
// no focus, and so do the menu key and Shift+F10 on the board; a left click on the board
// leaves the focus; Enter and keypad Enter press the focused "Свернуть". No tray here: it
// minimises. Two quick clicks on the icon restore, as status-notifier hosts report a double
// click; a click after a double click reported as such starts afresh.
TEST_F(MainWindow, RightReleasesAndEnterHideTwoClicksOnTheIconRestore) {
    const std::tuple<int, Qt::KeyboardModifier, const char*, Qt::MouseButton, QPoint, bool, int>
        inputs[] = {{0, {}, "cmdHide", Qt::RightButton, {150, 150}, true, -1},
                    {0, {}, "cmdHide", Qt::RightButton, {315, 300}, true, -1},
                    {0, {}, "cmdHide", Qt::RightButton, {360, 260}, false, -1},
                    {0, {}, "cmdHide", Qt::RightButton, {360, 42}, false, -1},
                    {0, {}, "cmdHide", Qt::LeftButton, {150, 150}, false, 4},
                    {Qt::Key_Return, Qt::KeypadModifier, "cmdHide", {}, {}, true, -1},
                    {Qt::Key_Enter, Qt::KeypadModifier, "cmdHide", {}, {}, true, -1},
                    {Qt::Key_Menu, {}, "Board", {}, {}, true, -1},
                    {Qt::Key_F10, Qt::ShiftModifier, "Board", {}, {}, true, -1},
                    {Qt::Key_F10, {}, "Board", {}, {}, false, -1}};
    for (const auto& [key, modifier, focus, button, at, hides, selected] : inputs) {
        window = Open();
        Game().PutBall(4, 4, 1);
        window->findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        key ? QTest::keyClick(window->focusWidget(), Qt::Key(key), modifier)
            : QTest::mouseClick(window->windowHandle(), button, {}, at);
        EXPECT_EQ(window->isMinimized(), hides) << key << " " << at.x() << "," << at.y();
        EXPECT_EQ(Game().State().SelCol, selected);
        EXPECT_EQ(window->focusWidget()->objectName(), focus);
    }
    auto* tray = window->findChild<TrayIcon*>();
    QSignalSpy shows(tray, &TrayIcon::ShowRequested);
    tray->OnActivated(QSystemTrayIcon::Trigger);
    tray->OnActivated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(QTest::qWaitFor([&shows] { return shows.count() == 1; }));
    tray->OnActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(QTest::qWaitFor([&shows] { return shows.count() == 2; }));
    tray->OnActivated(QSystemTrayIcon::Trigger);
    QTest::qWait(100);
    EXPECT_EQ(shows.count(), 2);
}

// What a screen reader asks of the board besides the cells' names: the cell at a point and its
// box, a cell by row and column, the focused and the selected cell, the rows' and columns'
// names. Arrows move the focused cell up to the edges, Space clicks it.
TEST_F(MainWindow, BoardTellsAScreenReaderWhereEachCellIs) {
    auto* board = window->findChild<QWidget*>("Board");
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(board);
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_TRUE(grid);
    EXPECT_EQ(std::tuple(table->childCount(), grid->rowCount(), grid->columnCount()),
              std::tuple(81, 9, 9));
    EXPECT_EQ(grid->rowDescription(2) + grid->columnDescription(3), "Строка 3Столбец 4");
    for (const int i : {0, 21, 80}) {
        const QPoint centre = window->mapToGlobal(Cell(i));
        EXPECT_EQ(table->childAt(centre.x(), centre.y()), grid->cellAt(i / 9, i % 9)) << i;
        EXPECT_TRUE(grid->cellAt(i / 9, i % 9)->rect().contains(centre)) << i;
        EXPECT_EQ(table->indexOfChild(grid->cellAt(i / 9, i % 9)), i);
    }
    const QPoint corner = board->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(table->childAt(corner.x(), corner.y()), grid->cellAt(0, 0));
    EXPECT_EQ(table->childAt(corner.x() - 1, corner.y()), nullptr);
    EXPECT_TRUE(!grid->cellAt(9, 0) && !table->child(-1) && !table->child(81));
    EXPECT_FALSE(grid->selectRow(0) || grid->selectColumn(0) || grid->unselectRow(0) ||
                 grid->unselectColumn(0) || grid->isRowSelected(0) || grid->isColumnSelected(0));
    for (int i = 1; i <= 3; ++i)  // the preview's colours, by name
        EXPECT_EQ(
            window->findChild<QWidget*>(QString("NextColor%1").arg(i))->accessibleName(),
            QString("Следующий шарик %1: %2").arg(i).arg(ColorName(Game().State().NextColors[i])));
    Game().PutBall(0, 0, 1);
    EXPECT_EQ(grid->selectedCellCount(), 0);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    board->setFocus(Qt::TabFocusReason);
    std::vector<Qt::Key> keys{Qt::Key_Left, Qt::Key_Up};  // at the corner already
    keys.insert(keys.end(), 9, Qt::Key_Right);            // one too many, and back
    keys.insert(keys.end(), 9, Qt::Key_Left);
    keys.push_back(Qt::Key_Space);
    for (const Qt::Key key : keys)
        QTest::keyClick(board, key);
    QAccessibleInterface* cell = grid->cellAt(0, 0);
    EXPECT_EQ(table->focusChild(), cell);
    EXPECT_TRUE(cell->state().focused && cell->state().selected);
    EXPECT_EQ(grid->selectedCells(), QList<QAccessibleInterface*>{cell});
    EXPECT_EQ(grid->selectedCellCount(), 1);
}

// Opened, a position and its seed come back: saved at once, the bytes are the same.
TEST_F(MainWindow, SavedPositionOpensAgainAsItWas) {
    QFile(dir.filePath("game1")).open(QIODevice::WriteOnly);
    QStringList files{"game.poz", "game.poz", "again.poz"};
    AnswerModals(window.get(), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        dialog->selectNameFilter(dialog->nameFilters().last());
        const auto* view = dialog->findChild<QListView*>("listView");
        const auto top = [view] { return view->model()->index(0, 0, view->rootIndex()); };
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return view->model()->match(top(), 0, "game1").size(); }));
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath(files.takeFirst()));
        static_cast<QDialog*>(dialog)->accept();
    });
    for (const char* button : {"cmdWrite", "cmdNew", "cmdRead", "cmdWrite"})
        window->findChild<QPushButton*>(button)->click();  // a new game and seed before opening
    EXPECT_TRUE(files.isEmpty());
    EXPECT_EQ(Bytes("again.poz"), Bytes("game.poz"));
}

// As kept in tests/ui/snapshots (Debian 12's Qt and fonts): ZINTU_UPDATE_SNAPSHOTS=1 rewrites
// them after a change meant to show. Pictures compare pixel for pixel.
void ExpectLooksAsKept(const QImage& image, const QString& name) {
    const QImage shot = image.convertToFormat(QImage::Format_ARGB32);
    const QString kept = QStringLiteral(ZINTU_SNAPSHOTS "/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("ZINTU_UPDATE_SNAPSHOTS"))
        shot.save(kept);
    if (shot != QImage(kept).convertToFormat(QImage::Format_ARGB32)) {
        shot.save(QDir::temp().filePath(name + "-seen.png"));
        ADD_FAILURE() << name.toStdString() << " differs from its picture; seen in the temp folder";
    }
}

void ExpectKept(const QByteArray& bytes, const QString& name) {
    QFile kept(QStringLiteral(ZINTU_SNAPSHOTS "/") + name);
    if (qEnvironmentVariableIsSet("ZINTU_UPDATE_SNAPSHOTS") && kept.open(QIODevice::WriteOnly))
        kept.write(bytes), kept.close();
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == bytes) << name.toStdString();
}

// Each window as a player sees it: a selected ball and the keyboard's frame, plain and with
// symbols; the ten best, runs of a name sharing a cell down to the last row until the switch is
// off; the About window.
TEST_F(MainWindow, EachWindowLooksAsKept) {
    SavedPosition position{.Score = 1234, .NextColors = {0, 3, 6, 7}};
    for (int cell = 0; cell < 81; cell += 4)
        position.Board[cell] = cell % 7 + 1;
    for (const char* arguments : {"", "--symbols"}) {
        window = Open(arguments);
        Game().RestorePosition(position);
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, Cell(40));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        auto* board = window->findChild<QWidget*>("Board");
        board->setFocus(Qt::TabFocusReason);
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(board, key);
        ExpectLooksAsKept(window->grab().toImage(), *arguments ? "main-symbols" : "main");
    }
    frmScore list;
    for (int i = 0; i < 40; ++i) {  // the last name only fits narrowed
        const QString name = QStringList{"Вера", "Ира", "Пётр",
                                         "ЩУКИН-ШИРОКОПЛЕЧИЙ"}[(i >= 12) + (i >= 16) + (i >= 32)];
        list.SetTextArray(i, QStringList{QString::number(i / 4 + 1), name, QString::number(900 - i),
                                         "01.02.2026"}[i % 4]);
    }
    ExpectLooksAsKept(list.grab().toImage(), "scores");
    list.findChild<QCheckBox*>("CheckTable")->setChecked(false);
    ExpectLooksAsKept(list.grab().toImage(), "scores-apart");
    frmAbout about;
    ExpectLooksAsKept(about.grab().toImage(), "about");
}

// Points in threes from the right, the lowest 32-bit value too; dates day first, padded.
TEST(ScoreFormat, PointsInThreesDatesDayMonthYear) {
    for (const auto& [points, text] : {std::pair(7, "7"),
                                       {900, "900"},
                                       {100000, "100 000"},
                                       {-1234567, "-1 234 567"},
                                       {INT32_MIN, "-2 147 483 648"}})
        EXPECT_EQ(FormatPoints(points), text);
    EXPECT_EQ(FormatScoreDate(46351) + " " + FormatScoreDate(36959.75), "25.11.2026 09.03.2001");
}

// Steps outside 10 to 20 or no number give the default, as the help says among other facts.
TEST(MoveStep, TenToTwentyFromTheArgumentsAsTheHelpSays) {
    EXPECT_EQ(std::tuple(MoveStepFromArguments(" 20\t"), MoveStepFromArguments("+15"),
                         MoveStepFromArguments("21"), MoveStepFromArguments("9"),
                         MoveStepFromArguments("15x"), MoveStepFromArguments("12.5")),
              std::tuple(20, 15, 10, 10, 10, 12));  // halves round to even
    const QString help = InformationText(Information::Help);
    for (const QString fact :
         {"от 10 до 20 (иначе 10)", "--symbols", "9 на 9 клеток", "(~/.local/share/Zintu/"})
        EXPECT_TRUE(help.contains(fact)) << fact.toStdString();
}

// At every scale: lines and boxes on whole pixels, smooth discs, as kept; erased without a trace,
// symbols and all.
TEST(BackBuffer, CrispLinesAndBoxesSmoothDiscsTraceFreeErase) {
    const QColor face(192, 192, 192);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        BackBuffer buffer;
        buffer.Reset(QSize(180, 50), ratio, face);
        buffer.Line(600, 100, 600, 4600, QColor(0, 0, 5));
        buffer.SetFillColor(Qt::black);
        buffer.Box(630, 115, 450, 470);
        const QImage before = buffer.Image().copy();
        buffer.SetFillColor(Qt::red);
        buffer.Disc(2350, 350, 150);
        ExpectLooksAsKept(buffer.Image(), QString("buffer-x%1").arg(ratio * 10));
        buffer.Symbol(2350, 350, 150, 1);
        buffer.SetFillColor(face);
        buffer.Disc(2350, 350, 150);
        EXPECT_EQ(buffer.Image(), before);
        // Erased by a cell box or by a face disc, a larger disc leaves nothing of its edge or
        // its symbol for a smaller one to pick up.
        const auto smallAfter = [&](bool red, bool box) {
            buffer.Reset(QSize(180, 50), ratio, face);
            buffer.SetFillColor(red ? QColor(Qt::red) : face);
            buffer.Disc(2350, 350, 150);
            buffer.Symbol(2350, 350, 150, red ? 7 : 0);
            buffer.SetFillColor(face);
            if (box)
                buffer.Box(2115, 115, 470, 470);
            else
                buffer.Disc(2350, 350, 150);
            buffer.SetFillColor(Qt::yellow);
            buffer.Disc(2350, 350, 70);
            return buffer.Image().copy();
        };
        EXPECT_EQ(smallAfter(true, true), smallAfter(false, false)) << ratio;
        EXPECT_EQ(smallAfter(true, false), smallAfter(false, false)) << ratio;
    }
}

// Nine discs, red on the rising diagonal, dark-rimmed, on transparency, four when small; the
// scalable picture and the .ico that the tool writes: all as kept. The theme's sizes are drawn.
TEST(ProgramIcon, NineDiscsOnTransparencyAsKeptWrittenByTheTool) {
    for (const int size : {16, 48, 256})
        ExpectLooksAsKept(ProgramIconImage(size), QString("icon-%1").arg(size));
    ExpectKept(ProgramIconSvg(), "icon.svg");
    QTemporaryDir dir;
    ASSERT_EQ(QProcess::execute(ZINTU_MAKE_ICON, {"ico", dir.filePath("z.ico")}), 0);
    QFile ico(dir.filePath("z.ico"));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    // The directory as kept; the pictures as drawn here: smooth scaling rounds per processor.
    const QByteArray bytes = ico.readAll();
    constexpr int kEntries = 7, kDirectoryBytes = 6 + 16 * kEntries;
    ExpectKept(bytes.left(kDirectoryBytes), "icon-directory.bin");
    for (int i = 0; i < kEntries; ++i) {
        const char* entry = bytes.constData() + 6 + 16 * i;
        const int side = std::uint8_t(entry[0]) == 0 ? 256 : std::uint8_t(entry[0]);
        const QImage image = QImage::fromData(bytes.mid(qFromLittleEndian<quint32>(entry + 12),
                                                        qFromLittleEndian<quint32>(entry + 8)));
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32),
                  ProgramIconImage(side).convertToFormat(QImage::Format_ARGB32))
            << side;
    }
    ASSERT_EQ(QProcess::execute(ZINTU_MAKE_ICON, {"hicolor", dir.path(), "id"}), 0);
    EXPECT_EQ(QImage(dir.filePath("22x22/apps/id.png")).convertToFormat(QImage::Format_ARGB32),
              ProgramIconImage(22).convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(QProcess::execute(ZINTU_MAKE_ICON, {"png", dir.filePath("x")}), 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("x")));
}

// A ball with `symbol` (0: none) drawn on the board, or as the sliding ball, at `ratio`.
QImage BallPicture(QColor ball, int symbol, qreal ratio, bool sliding) {
    BackBuffer buffer;
    buffer.Reset(QSize(20, 20), ratio, QColor(192, 192, 192));
    QImage image = buffer.Image().copy();
    BallShape shape(nullptr);
    shape.resize(20, 20);
    shape.SetBall(ball, symbol);
    buffer.SetFillColor(ball);
    buffer.Disc(150, 150, 150);
    buffer.Symbol(150, 150, 150, symbol);
    sliding ? shape.render(&image) : void(image = buffer.Image());
    return image;
}

// At ratios 1 and 2, the seven symbols on the board, then on the sliding ball, as kept: shapes
// unlike in outline, each in black or white, whichever stands out from its ball.
TEST(BallSymbols, SevenShapesInContrastingInkAsKept) {
    for (const qreal ratio : {1.0, 2.0}) {
        QImage sheet(QSize(140, 40) * ratio, QImage::Format_ARGB32);
        sheet.setDevicePixelRatio(ratio);
        sheet.fill(Qt::transparent);
        QPainter painter(&sheet);
        for (int code = 1; code <= 7; ++code) {
            const QColor ball(code & 1 ? 255 : 0, code & 2 ? 255 : 0, code & 4 ? 255 : 0);
            for (const bool sliding : {false, true})
                painter.drawImage(QPoint(20 * code - 20, 20 * sliding),
                                  BallPicture(ball, code, ratio, sliding));
        }
        painter.end();
        ExpectLooksAsKept(sheet, QString("symbols-x%1").arg(ratio * 10));
    }
}
