// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <memory>

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "common/runtime_error.h"
#include "editor/frm_tilebash_level_editor.h"
#include "game/frm_tilebash.h"
#include "support/temp_dir.h"
#include "ui/qt/widgets.h"
#include "ui/qt/window_view.h"

// The view on the programs' two real windows, in a folder of the shipped data.
namespace tilebash::ui::qt {
namespace {

// Counts the paint events of the widgets of one window.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        count += event->type() == QEvent::Paint && widget != nullptr && widget->window() == window_;
        return false;
    }

  private:
    QWidget* window_;
};

// Runs `seen` on the next message box once it is open, then closes it.
void onNextBox(const std::function<void(QMessageBox&)>& seen) {
    auto* poll = new QTimer();
    QObject::connect(poll, &QTimer::timeout, [poll, seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            seen(*box);
            box->accept();
        }
    });
    poll->start(5);
}

template <typename Window>
class OnRealWindow : public ::testing::Test {
  protected:
    OnRealWindow() {
        testing::copyFiles(TILEBASH_DATA_DIR, dir.path());
        view.build(window);
        view.load();
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    // A view that ended the program told the event loop to end, and every
    // loop after (a message box's) would end at once; running the
    // application's own loop once clears that.
    ~OnRealWindow() override {
        QTimer::singleShot(0, [] { QCoreApplication::exit(); });
        QCoreApplication::exec();
    }
    template <typename T = QWidget>
    T* widget(const char* name) {
        T* found = view.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(widget(name), Qt::LeftButton); }

    testing::TempDir dir;
    testing::WorkingDirectory here{dir.path()};
    std::unique_ptr<Window> model;  // outlives the view, as in the programs
    WindowView view;
    Window& window = *(model = std::make_unique<Window>(view));
};

using Game = OnRealWindow<FrmTilebash>;
using Editor = OnRealWindow<FrmTilebashLevelEditor>;

// Built by kind, placed and shown as the model holds it, and read by a
// screen reader from Qt's own accounts of the widgets.
TEST_F(Game, EachControlIsAQtWidgetOfItsKindWhereTheModelPutsIt) {
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Tilebash"));
    EXPECT_EQ(view.minimumSize(), view.maximumSize());
    EXPECT_EQ(widget("pixBackground")->geometry(), pixelRectOf(window.pixBackground));
    auto* newGame = widget<QPushButton>("cmdNewGame");
    EXPECT_TRUE(newGame->text() == QStringLiteral("New Game") && newGame->autoDefault());
    EXPECT_EQ(newGame->geometry(), pixelRectOf(window.cmdNewGame));
    EXPECT_TRUE(widget("cmdOKOptions")->isHidden()) << "another screen's";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget("pixBackground"))->role(),
              QAccessible::Canvas);

    click("cmdOptions");
    auto* hard = widget<QRadioButton>("optHard");
    ASSERT_TRUE(hard->isVisible());
    EXPECT_EQ(qobject_cast<QGroupBox*>(hard->parentWidget())->accessibleName(),
              QStringLiteral("Difficulty"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget("lblBallColor"))->role(),
              QAccessible::Button);
    EXPECT_EQ(widget("lblBallColor")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(widget<QLabel>("lblLevelText")->buddy(), widget("vsbLevel"));
}

TEST_F(Game, EachKindsEventReachesItsHandlerAndTheRefreshShowsTheModel) {
    click("cmdOptions");
    click("optHard");
    EXPECT_TRUE(window.optHard.value());
    click("optEasy");
    EXPECT_TRUE(window.optEasy.value() && !window.optHard.value());
    EXPECT_TRUE(widget<QRadioButton>("optEasy")->isChecked() &&
                !widget<QRadioButton>("optHard")->isChecked());

    const std::uint8_t colour = window.bytBallColor;
    click("lblBallColor");
    EXPECT_NE(window.bytBallColor, colour);
    QWidget* swatch = widget("lblBallColor");
    EXPECT_EQ(swatch->palette().color(swatch->backgroundRole()),
              colorOf(ui::Color::ofPalette(window.bytBallColor), {}));

    // The spinner's lower arrow raises the level, and its label follows.
    auto* spinner = widget<QScrollBar>("vsbLevel");
    const int level = window.vsbLevel.value();
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(4, spinner->height() - 3));
    EXPECT_TRUE(window.vsbLevel.value() == level + 1 && spinner->value() == level + 1);
    EXPECT_EQ(widget<QLabel>("lblLevel")->text(),
              QString::fromStdString(window.lblLevel.caption()));

    click("cmdOKOptions");
    click("cmdNewGame");
    ASSERT_TRUE(widget("pixBackground")->hasFocus()) << "the one widget left that takes it";
    QTest::keyClick(widget("pixBackground"), Qt::Key_Right);
    EXPECT_GT(window.intPaddleSpeed, 0);
    QTest::keyClick(widget("pixBackground"), Qt::Key_Tab);
    EXPECT_TRUE(widget("pixBackground")->hasFocus()) << "Tab stays";
}

// The refresh after a tick copies everything and repaints only what moved.
TEST_F(Game, ATickRepaintsOnlyWhereTheBallAndPaddleMovedAndIdleIsIdle) {
    for (const QTimer* timer : view.findChildren<QTimer*>()) {
        EXPECT_FALSE(timer->isActive()) << "the menu waits for the player";
    }
    click("cmdNewGame");
    // The ticks come from the test.
    window.tmrFrameSpeed.setEnabled(false);
    window.tmrTime.setEnabled(false);
    view.run(window.tmrFrameSpeed.onTimer);  // the first shows the status strip
    QTest::qWait(50);
    PaintCounter paints(&view);
    view.run([] {});
    QTest::qWait(20);
    EXPECT_EQ(paints.count, 0) << "nothing changed";
    view.run(window.tmrFrameSpeed.onTimer);
    QTest::qWait(20);
    EXPECT_GE(paints.count, 1);
    EXPECT_LE(paints.count, 2) << "the surface's inner area, and no other widget";
}

TEST_F(Game, TheNameEntryDropsWhatTheFileCannotHoldAndKeepsTheCursor) {
    auto* name = widget<QLineEdit>("txtNewHighScoreName");
    window.txtNewHighScoreName.setVisible(true);
    view.run([] {});
    name->setFocus();
    for (QChar typed : QStringLiteral("Ada \"\u0141\"e\u0301")) {  // composed into U+00E9
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
        QApplication::sendEvent(name, &key);
    }
    EXPECT_EQ(window.txtNewHighScoreName.text(), "Ada \xC3\xA9");
    name->setCursorPosition(1);
    view.run([this] { window.txtNewHighScoreName.setText("Ada \xC3\xA9!"); });
    EXPECT_EQ(name->text(), QStringLiteral("Ada \u00e9!"));
    EXPECT_EQ(name->cursorPosition(), 1);
}

TEST_F(Game, AnErrorInAHandlerEndsTheProgramWithStatusOneAndRunsNoHandlerAfter) {
    window.cmdCredits.onClick = [] { throw RuntimeError(ErrorCode::FileNotFound, "options.wkp"); };
    onNextBox([](QMessageBox&) {});
    click("cmdCredits");
    EXPECT_TRUE(view.finished());
    EXPECT_EQ(view.exitStatus(), 1);
    view.run([] { FAIL() << "a handler ran after the error"; });
}

TEST_F(Game, AUserResizeIsPutBackAndClosingEndsAtOnceWithStatusZero) {
    const QSize size = view.size();
    view.setMinimumSize(0, 0);  // as a manager that ignores the hints
    view.resize(size + QSize(40, 40));
    QTest::qWait(50);
    EXPECT_EQ(view.size(), size);
    window.cmdQuit.onClick = [] { FAIL() << "Quit ran"; };
    view.close();
    EXPECT_TRUE(view.finished());
    EXPECT_EQ(view.exitStatus(), 0);
}

// The window shows its state while a box waits: the rejected entry emptied.
TEST_F(Editor, ABoxOpensOverTheRefreshedWindowAndADragMovesABrick) {
    auto* level = widget<QLineEdit>("txtLevel");
    QTest::keyClicks(level, QStringLiteral("9"));
    QString boxText;
    QString entryBehindBox = QStringLiteral("unseen");
    onNextBox([&](QMessageBox& box) {
        boxText = box.text();
        entryBehindBox = level->text();
    });
    click("cmdOK");
    EXPECT_EQ(boxText, QStringLiteral("Pleas chose a level betwen 1 and 5"));
    EXPECT_EQ(entryBehindBox, QString());

    QTest::keyClicks(level, QStringLiteral("1"));
    click("cmdOK");
    ASSERT_EQ(window.bytLevel, 1);
    QWidget* inner = widget<SurfaceWidget>("pixBackground")->inner();
    const ui::Shape& brick = window.shpBrick[0];
    const QPoint from(toWholePixels(brick.left()) + 3, toWholePixels(brick.top()) + 3);
    const double left = brick.left();  // 10 pixels to the right, 150 twips
    QTest::mousePress(inner, Qt::LeftButton, {}, from);
    QTest::mouseMove(inner, from + QPoint(10, 0));
    QTest::mouseRelease(inner, Qt::LeftButton, {}, from + QPoint(10, 0));
    EXPECT_DOUBLE_EQ(brick.left(), left + 150);
}

}  // namespace
}  // namespace tilebash::ui::qt
