#include "frmZintu.h"

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

#include "BallShape.h"
#include "ClassicFont.h"
#include "CommandButton.h"
#include "DisplayText.h"
#include "MoveStep.h"
#include "PathText.h"
#include "PositionFile.h"
#include "ProgramIcon.h"
#include "RecordEntry.h"
#include "ScoreFormat.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "WindowSurface.h"
#include "Zintu.h"
#include "frmAbout.h"
#include "frmScore.h"

namespace zintu {
namespace {

constexpr int kClientWidth = 6000;
constexpr int kClientHeight = 4725;
constexpr int kButtonLeft = 4920;
constexpr int kRightButton = 2;
// Each entry is a description, shown as it is, and its pattern, hidden in parentheses.
// Qt's "*.*" wants a dot in the name, so every file is "*".
const QString kPositionFilter =
    QStringLiteral("Файл позиции для Zintu (*.poz) (*.poz);;All files (*.*) (*)");
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
    : scoreStore_(std::move(scoreFiles)) {
    setObjectName("frmZintu");
    setWindowTitle("Zintu");
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
    surface_ = std::make_unique<WindowSurface>(*this, buffer_, *ball_, *lblNew_, *lblScore_);
    game_ = std::make_unique<Zintu>(*surface_, scoreStore_);
    tray_ = new TrayIcon(this);
    connect(tray_, &TrayIcon::ShowRequested, this, &frmZintu::RestoreFromTray);
    connect(tray_, &TrayIcon::ExitRequested, this, &QWidget::close);
    Form_Initialize();
    Form_Load(arguments);
}

frmZintu::~frmZintu() = default;

void frmZintu::CreateControls() {
    cmdHide_ =
        AddButton("cmdHide", "Свернуть", " Спрятать на трей ", 4200, &frmZintu::cmdHide_Click);
    QPushButton* cmdExit =
        AddButton("cmdExit", "Выход", " Конец игры ", 3720, &frmZintu::cmdExit_Click);
    QPushButton* cmdNew =
        AddButton("cmdNew", "Сброс", " Чтобы начать новую игру нажмите эту кнопку ", 3240,
                  &frmZintu::cmdNew_Click);
    QPushButton* cmdScore = AddButton("cmdScore", "Рекорды", " Показать 10 лучших рекордов. ", 1320,
                                      &frmZintu::cmdScore_Click);
    QPushButton* cmdRead =
        AddButton("cmdRead", "Открыть", " Восстановить сохраненное расположение шариков. ", 1800,
                  &frmZintu::cmdRead_Click);
    QPushButton* cmdWrite =
        AddButton("cmdWrite", "Сохранить", " Сохранить текущее расположение шариков. ", 2280,
                  &frmZintu::cmdWrite_Click);
    QPushButton* command1 =
        AddButton("Command1", "About", " О программе ", 2760, &frmZintu::Command1_Click);
    setTabOrder(cmdHide_, cmdExit);
    setTabOrder(cmdExit, cmdNew);
    setTabOrder(cmdNew, cmdScore);
    setTabOrder(cmdScore, cmdRead);
    setTabOrder(cmdRead, cmdWrite);
    setTabOrder(cmdWrite, command1);

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(TwipsRect(kButtonLeft, 480, 1000, 735));
    const auto makeLabel = [frame](const char* name, const QString& tip, int top) {
        auto* label = new QLabel(frame);
        label->setObjectName(name);
        label->setToolTip(tip);
        label->setGeometry(TwipsRect(0, top, 975, 300));
        label->setFont(ClassicFont(9.75));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        return label;
    };
    lblNew_ = makeLabel("lblNew", " Очки претендента ", 0);
    lblScore_ = makeLabel("lblScore", " Рекорд ", 400);
    ball_ = new BallShape(this);
    cmdHide_->setFocus();
}

QPushButton* frmZintu::AddButton(const char* name, const QString& caption, const QString& tip,
                                 int top, void (frmZintu::*handler)()) {
    auto* button = new CommandButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setGeometry(TwipsRect(kButtonLeft, top, 975, 375));
    connect(button, &QPushButton::clicked, this, [this, handler] {
        const BusyScope busy(*this);
        (this->*handler)();
    });
    return button;
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

void frmZintu::Form_Initialize() {
    game_->Generator.SeedFromClock();
    RandomSeed = game_->Generator.Next();
    game_->NewGame(RandomSeed, ToColorValue(boardColor_));
}

void frmZintu::Form_Load(const QString& arguments) {
    game_->MoveStep = MoveStepFromArguments(arguments.toStdString());
}

void frmZintu::Form_MouseUp(int button, double x, double y) {
    const BusyScope busy(*this);
    if (button == kRightButton) {
        HideToTray();
        return;
    }
    game_->ReleaseOnBoard(x, y, [this] { GameOver(); });
}

void frmZintu::GameOver() {
    QMessageBox box(QMessageBox::Information, "Zintu",
                    DisplayText(QString::fromStdString(GameOverText(game_->Score))),
                    QMessageBox::Ok, this);
    box.exec();
    EnterRecord(*game_, this);
    Form_Initialize();
}

std::int16_t frmZintu::Fgi(std::int16_t row, std::int16_t col) {
    // The grid's cells are addressed with 16-bit arithmetic that wraps.
    return static_cast<std::int16_t>(ScoreWindow().Cols() * row + col);
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
    Form_Initialize();
}

void frmZintu::cmdScore_Click() {
    game_->LoadScoreTable();
    frmScore& list = ScoreWindow();
    list.Clear();
    for (std::int16_t row = 0; row < 10; ++row) {
        const ScoreRecord& entry = game_->Scores[row];
        if (entry.Points == 0) {
            break;
        }
        list.SetTextArray(Fgi(row, 0), QString::number(row + 1));
        list.SetTextArray(Fgi(row, 1), QString::fromStdU32String(entry.Name));
        list.SetTextArray(Fgi(row, 2), FormatPoints(entry.Points));
        list.SetTextArray(Fgi(row, 3), FormatScoreDate(entry.Date));
    }
    list.exec();
    scoreWindow_.reset();
}

void frmZintu::cmdWrite_Click() {
    const QString file = QFileDialog::getSaveFileName(
        this, "Сохранить текущее расположение шариков", AppFolderText(), kPositionFilter, nullptr,
        kPositionDialogOptions);
    if (!file.isEmpty()) {
        WritePositionFile(ToPath(file), game_->Snapshot(RandomSeed));
    }
}

void frmZintu::cmdRead_Click() {
    const QString file = QFileDialog::getOpenFileName(
        this, "Восстановить сохраненное расположение шариков", AppFolderText(), kPositionFilter,
        nullptr, kPositionDialogOptions);
    if (file.isEmpty()) {
        return;
    }
    if (const auto position = ReadPositionFile(ToPath(file))) {
        game_->RestorePosition(*position);
        RandomSeed = position->RandomSeed;
    }
}

void frmZintu::Command1_Click() {
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
    Form_MouseUp(ButtonCode(event->button()), at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
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
