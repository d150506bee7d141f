#include "ui/main/frmZintu.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <cmath>

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
#include "ui/main/ScoreCaption.h"
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
// Each entry is a description, shown as it is, and its pattern, hidden in parentheses.
// Qt's "*.*" wants a dot in the name, so every file is "*".
const char* const kPositionFilter = QT_TRANSLATE_NOOP(
    "zintu::frmZintu", "Файл позиции для Zintu (*.poz) (*.poz);;All files (*.*) (*)");
#ifdef Q_OS_WIN
// Windows' own dialog gives a name typed without an extension the filter's: Qt's keeps it.
constexpr auto kPositionDialogOptions =
    QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog;
#else
constexpr auto kPositionDialogOptions = QFileDialog::HideNameFilterDetails;
#endif

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

// Marks a handler as running, so that a close that arrives meanwhile (it can, while a
// dialog runs its own event loop) waits until the handler has finished its turn.
class frmZintu::BusyScope {
  public:
    explicit BusyScope(frmZintu& window) : window_(window) { ++window_.busy_; }
    ~BusyScope() {
        if (--window_.busy_ == 0 && window_.closeRequested_) {
            QMetaObject::invokeMethod(&window_, "close", Qt::QueuedConnection);
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    frmZintu& window_;
};

QColor BoardColor(const QPalette& palette) {
    const QColor face = palette.color(QPalette::Button);
    return face.lightness() < 128 ? QColor(192, 192, 192) : face;
}

frmZintu::frmZintu(ScoreFiles scoreFiles, const QString& arguments)
    : scoreStore_(std::move(scoreFiles),
                  [this](const ScoreTable& table) { ScoresArrived(table); }) {
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
    surface_ = std::make_unique<WindowSurface>(*this, buffer_, *ball_, *lblNew_, *lblScore_,
                                               options.BallSymbols);
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
    CreateScoreLabels();
    CreatePreview();
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
            const BusyScope busy(*this);
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

void frmZintu::CreateScoreLabels() {
    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setAccessibleName(tr("Счёт"));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(TwipsRect(kButtonLeft, 480, 1000, 735));
    // The labels stand on the board's colour, whatever the theme gives the window.
    QPalette onBoard = frame->palette();
    onBoard.setColor(QPalette::WindowText, TextColorOn(boardColor_));
    frame->setPalette(onBoard);
    const auto makeLabel = [frame](const char* name, const QString& meaning, const QString& tip,
                                   int top) {
        auto* label = new ScoreCaption(frame);
        label->setObjectName(name);
        label->setToolTip(tip);
        label->setAccessibleName(meaning);
        label->setAccessibleDescription(tip.trimmed());
        label->setGeometry(TwipsRect(0, top, 975, 300));
        label->setFont(ClassicFont(9.75));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        return label;
    };
    lblNew_ = makeLabel("lblNew", tr("Очки"), tr(" Очки претендента "), 0);
    lblScore_ = makeLabel("lblScore", tr("Рекорд"), tr(" Рекорд "), 400);
}

void frmZintu::CreatePreview() {
    for (int i = 1; i <= 3; ++i) {
        auto* item = new QWidget(this);
        item->setObjectName(QStringLiteral("NextColor%1").arg(i));
        const TwipPoint centre = PreviewCentre(i);
        item->setGeometry(TwipsRect(centre.X - kBallRadius, centre.Y - kBallRadius, 2 * kBallRadius,
                                    2 * kBallRadius));
        item->setAttribute(Qt::WA_TransparentForMouseEvents);
        item->setAccessibleDescription(tr("Этот шарик появится после хода, не собравшего ряд"));
        preview_[i - 1] = item;
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
            if (busy_ == 0) {
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
    for (int i = 1; i <= 3; ++i) {
        preview_[i - 1]->setAccessibleName(
            tr("Следующий шарик %1: %2").arg(i).arg(ColorName(game_->State().NextColors[i])));
    }
}

void frmZintu::MouseReleased(int button, double x, double y) {
    const BusyScope busy(*this);
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
    const BusyScope busy(*this);
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
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Сохранить текущее расположение шариков"), AppFolderText(), tr(kPositionFilter),
        nullptr, kPositionDialogOptions);
    if (!file.isEmpty()) {
        WritePositionFile(ToPath(file), game_->Snapshot());
    }
}

void frmZintu::cmdRead_Click() {
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Восстановить сохраненное расположение шариков"), AppFolderText(),
        tr(kPositionFilter), nullptr, kPositionDialogOptions);
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
    if (busy_ > 0) {
        closeRequested_ = true;
        event->ignore();
        return;
    }
    RemoveTrayIcon();
    event->accept();
    // A hidden main window is not the last visible one: end the program explicitly.
    QCoreApplication::quit();
}

}  // namespace zintu
