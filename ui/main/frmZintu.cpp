#include "ui/main/frmZintu.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "engine/Zintu.h"
#include "storage/PositionFile.h"
#include "ui/about/frmAbout.h"
#include "ui/common/ClassicFont.h"
#include "ui/common/DisplayText.h"
#include "ui/common/ProgramIcon.h"
#include "ui/common/Twips.h"
#include "ui/main/BallShape.h"
#include "ui/main/BoardAccessible.h"
#include "ui/main/BoardCursor.h"
#include "ui/main/CommandButton.h"
#include "ui/main/CommandLine.h"
#include "ui/main/Contrast.h"
#include "ui/main/MoveStep.h"
#include "ui/main/PathText.h"
#include "ui/main/PositionDialogs.h"
#include "ui/main/PreviewMarkers.h"
#include "ui/main/ScorePanel.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/WindowSurface.h"
#include "ui/scores/RecordEntry.h"
#include "ui/scores/frmScore.h"

namespace zintu {
namespace {

constexpr int kClientWidth = 6000;
constexpr int kClientHeight = 4725;
constexpr int kButtonLeft = 4920;
constexpr int kRightButton = 2;

int ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

frmZintu::frmZintu(ScoreFiles scoreFiles, const QString& arguments)
    : handlers_(*this), scoreStore_(std::move(scoreFiles), [this](const ScoreTable& table) {
          ScoresArrived(table);
      }) {
    // Before any control is named: a name change makes Qt describe the control at once.
    InstallAccessibleFactory();
    setObjectName("frmZintu");
    setWindowTitle(QStringLiteral("Zintu"));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    // The buttons were laid out for this font; the platform's larger one would clip.
    setFont(ClassicFont(8.25));
    boardColor_ = BoardColor(palette());
    buffer_.Reset(size(), devicePixelRatioF(), boardColor_);
    CreateControls();
    const GameArguments options = ReadGameArguments(arguments);
    surface_ = std::make_unique<WindowSurface>(*this, buffer_, *ball_, scorePanel_->Points(),
                                               scorePanel_->Record(), options.BallSymbols);
    game_ = std::make_unique<Zintu>(*surface_, *surface_, *surface_, scoreStore_,
                                    MoveStepFromArguments(options.Step.toStdString()));
    CreateBoardCursor();
    tray_ = new TrayIcon(this);
    connect(tray_, &TrayIcon::ShowRequested, this, &frmZintu::RestoreFromTray);
    connect(tray_, &TrayIcon::ExitRequested, this, &QWidget::close);
    NewGameFromClock();
}

frmZintu::~frmZintu() = default;

// The command buttons in their tab order, tops in twips.
struct frmZintu::Command {
    const char* Name;
    const char* Caption;
    const char* Tip;
    int Top;
    void (frmZintu::*Handler)();
};

const frmZintu::Command frmZintu::kCommands[] = {
    {"cmdHide", QT_TRANSLATE_NOOP("zintu::frmZintu", "Свернуть"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " Спрятать на трей "), 4200, &frmZintu::cmdHide_Click},
    {"cmdExit", QT_TRANSLATE_NOOP("zintu::frmZintu", "Выход"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " Конец игры "), 3720, &frmZintu::cmdExit_Click},
    {"cmdNew", QT_TRANSLATE_NOOP("zintu::frmZintu", "Сброс"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " Чтобы начать новую игру нажмите эту кнопку "), 3240,
     &frmZintu::cmdNew_Click},
    {"cmdScore", QT_TRANSLATE_NOOP("zintu::frmZintu", "Рекорды"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " Показать 10 лучших рекордов. "), 1320,
     &frmZintu::cmdScore_Click},
    {"cmdRead", QT_TRANSLATE_NOOP("zintu::frmZintu", "Открыть"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " Восстановить сохраненное расположение шариков. "), 1800,
     &frmZintu::cmdRead_Click},
    {"cmdWrite", QT_TRANSLATE_NOOP("zintu::frmZintu", "Сохранить"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " Сохранить текущее расположение шариков. "), 2280,
     &frmZintu::cmdWrite_Click},
    {"Command1", QT_TRANSLATE_NOOP("zintu::frmZintu", "About"),
     QT_TRANSLATE_NOOP("zintu::frmZintu", " О программе "), 2760, &frmZintu::cmdAbout_Click}};

void frmZintu::CreateControls() {
    CreateCommands();
    scorePanel_ = new ScorePanel(boardColor_, this);
    scorePanel_->setGeometry(TwipsRect(kButtonLeft, 480, 1000, 735));
    preview_ = std::make_unique<PreviewMarkers>(*this);
    ball_ = new BallShape(this);
    firstCommand_->setFocus();
}

void frmZintu::CreateCommands() {
    for (const Command& command : kCommands) {
        auto* button = new CommandButton(tr(command.Caption), this);
        button->setObjectName(command.Name);
        button->setToolTip(tr(command.Tip));
        button->setGeometry(TwipsRect(kButtonLeft, command.Top, 975, 375));
        connect(button, &QPushButton::clicked, this, [this, handler = command.Handler] {
            const RunningHandlers::Scope busy(handlers_);
            (this->*handler)();
        });
        if (lastCommand_ != nullptr) {
            setTabOrder(lastCommand_, button);
        } else {
            firstCommand_ = button;
        }
        lastCommand_ = button;
    }
}

// The board's stop comes right after "About" in the tab chain, and lies under the sliding
// ball. Its keys play as clicks on the cursor's cell; a turn in progress drops them.
void frmZintu::CreateBoardCursor() {
    board_ = new BoardCursor(game_->State(), this);
    board_->stackUnder(ball_);
    setTabOrder(lastCommand_, board_);
    const auto clickCentre = [this](int button) {
        return [this, button](int col, int row) {
            if (!handlers_.Any()) {
                const TwipPoint centre = CellCentre(col, row);
                MouseReleased(button, centre.X, centre.Y);
            }
        };
    };
    connect(board_, &BoardCursor::Clicked, this, clickCentre(1));
    connect(board_, &BoardCursor::RightClicked, this, clickCentre(kRightButton));
}

void frmZintu::ShowCentred() {
    winId();  // the platform tells the frame's size once the native window exists
    Centre();
    // A window manager on X11 frames the window only when it is shown: centre it again
    // then, with the frame it got.
    centreAtFirstPaint_ = true;
    show();
}

void frmZintu::Centre() {
    const QMargins margins = windowHandle()->frameMargins();
    QRect frame = geometry().marginsAdded(margins);
    frame.moveCenter(screen()->availableGeometry().center());
    // The client area's place: where a frame's place goes depends on the window manager.
    setGeometry(frame.marginsRemoved(margins));
}

void frmZintu::NewGameFromClock() {
    game_->NewGameFromClock(ToColorValue(boardColor_));
    UpdateAccessibleState();
}

void frmZintu::UpdateAccessibleState() {
    board_->ReportChangedCells();
    preview_->Name(game_->State().NextColors);
}

void frmZintu::MouseReleased(int button, double x, double y) {
    const RunningHandlers::Scope busy(handlers_);
    if (button == kRightButton) {
        HideToTray();
        return;
    }
    if (game_->ReleaseOnBoard(x, y, [this] { GameOver(); }) == TurnOutcome::Refused) {
        board_->Announce(tr("Ход невозможен: к этой клетке нет свободного пути"));
    }
    UpdateAccessibleState();
}

void frmZintu::GameOver() {
    // Read while the box is up, so that the name prompt ranks against the freshest table.
    game_->LoadScoreTable();
    const QString text =
        tr("Игра закончена.\r\rВаш текущий результат - %1").arg(game_->State().Score);
    board_->Announce(DisplayText(text));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Zintu"), DisplayText(text),
                    QMessageBox::Ok, this);
    box.exec();
    EnterRecord(*game_, this);
    // Called from inside the turn, which goes on to deal this new game's preview.
    NewGameFromClock();
}

frmScore& frmZintu::ScoreWindow() {
    if (!scoreWindow_) {
        scoreWindow_ = std::make_unique<frmScore>();
    }
    return *scoreWindow_;
}

void frmZintu::HideToTray() {
    // Without a notification area the icon would be the only way back: minimise instead.
    if (!TrayIcon::Available()) {
        showMinimized();
        return;
    }
    tray_->Show();
    hide();
}

void frmZintu::RemoveTrayIcon() {
    tray_->Remove();
}

void frmZintu::RestoreFromTray() {
    const RunningHandlers::Scope busy(handlers_);
    showNormal();
    activateWindow();
    RemoveTrayIcon();
}

void frmZintu::cmdHide_Click() {
    HideToTray();
}

void frmZintu::cmdExit_Click() {
    EnterRecord(*game_, this);
    close();
}

void frmZintu::cmdNew_Click() {
    EnterRecord(*game_, this);
    NewGameFromClock();
}

// The window opens with the table as known and shows the fresh one when it arrives.
void frmZintu::cmdScore_Click() {
    game_->LoadScoreTable();
    ScoreWindow().Show(game_->State().Scores);
    ScoreWindow().exec();
    scoreWindow_.reset();
}

void frmZintu::ScoresArrived(const ScoreTable& table) {
    game_->ScoresArrived(table);
    if (scoreWindow_) {
        scoreWindow_->Show(table);
    }
}

bool frmZintu::ScoresSettled() const {
    return scoreStore_.IsSettled();
}

void frmZintu::cmdWrite_Click() {
    const QString file = AskFileToSavePosition(this, AppFolderText());
    if (!file.isEmpty()) {
        WritePositionFile(ToPath(file), game_->Snapshot());
    }
}

void frmZintu::cmdRead_Click() {
    const QString file = AskFileToOpenPosition(this, AppFolderText());
    if (file.isEmpty()) {
        return;
    }
    if (const auto position = ReadPositionFile(ToPath(file))) {
        game_->RestorePosition(*position);
        UpdateAccessibleState();
    }
}

void frmZintu::cmdAbout_Click() {
    frmAbout about(this);
    about.exec();
}

QString frmZintu::AppFolderText() const {
    return ToQString(scoreStore_.Files().AppFolder);
}

void frmZintu::paintEvent(QPaintEvent* event) {
    if (centreAtFirstPaint_) {
        centreAtFirstPaint_ = false;
        Centre();
    }
    if (devicePixelRatioF() != buffer_.PixelRatio()) {
        RebuildBackBuffer();
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPoint(0, 0), buffer_.Image());
}

// The picture was made for another pixel ratio (the window moved to another screen):
// draw it anew at the new one.
void frmZintu::RebuildBackBuffer() {
    buffer_.Reset(size(), devicePixelRatioF(), boardColor_);
    game_->Redraw();
}

void frmZintu::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    // Releases that a control passed on are not on the window's own surface.
    if (childAt(at.toPoint()) != nullptr) {
        return;
    }
    MouseReleased(ButtonCode(event->button()), at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
}

void frmZintu::closeEvent(QCloseEvent* event) {
    if (!handlers_.MayCloseNow()) {
        event->ignore();
        return;
    }
    RemoveTrayIcon();
    event->accept();
    // A hidden main window is not the last visible one: end the program explicitly.
    QCoreApplication::quit();
}

}  // namespace zintu
