// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ui/qt/own_frame.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/twips.h"
#include "ui/qt/widgets.h"
#include "ui/qt/window_frame.h"
#include "ui/qt/window_view.h"
#include "ui_qt/test_window.h"

namespace tilebash::ui::qt {
namespace {

using Log = std::vector<std::string>;

// Counts the events of one type that one window's widgets get.
class EventCounter : public QObject {
  public:
    EventCounter(QWidget* window, QEvent::Type type) : window_(window), type_(type) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~EventCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        if (event->type() == type_ && widget != nullptr && widget->window() == window_) {
            ++count;
        }
        return false;
    }

  private:
    QWidget* window_;
    QEvent::Type type_;
};

class View : public ::testing::Test {
  protected:
    View() {
        view.setOnFinished([this](int status) { endedWith = status; });
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    template <typename T = QWidget>
    T* widget(const char* name) {
        T* found = view.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QWidget* canvas() { return widget<SurfaceWidget>("pixField")->canvas(); }
    // The window's pixel at the surface's inner top-left corner.
    QPoint inner(int x, int y) { return canvas()->mapTo(&view, QPoint(x, y)); }
    Log takeLog() { return std::exchange(window.log, {}); }

    QtHost host;
    testing::TestWindow window{host};
    WindowView view{window, host};
    std::optional<int> endedWith;
};

TEST_F(View, EachControlAppearsByItsKindWithTheModelsGeometryAndProperties) {
    EXPECT_EQ(view.windowTitle(), QStringLiteral("View Test"));
    EXPECT_EQ(view.size(), QSize(400, 288));
    EXPECT_FALSE(view.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    auto* surface = widget<SurfaceWidget>("pixField");
    EXPECT_EQ(surface->geometry(), QRect(80, 8, 304, 264));
    EXPECT_EQ(canvas()->geometry(), QRect(2, 2, 300, 260));  // inside the 2-pixel border
    auto* side = widget<QPushButton>("cmdSide");
    EXPECT_EQ(side->mapTo(&view, QPoint(0, 0)), QPoint(0, 40)) << "straight on the window";
    EXPECT_EQ(side->geometry(), QRect(0, 40, 73, 25));
    EXPECT_EQ(side->text(), QStringLiteral("Side"));

    auto* score = widget<QLabel>("lblScore");
    EXPECT_EQ(score->parentWidget(), canvas());
    EXPECT_EQ(score->geometry(), QRect(160, 80, 121, 17));  // each rounded to the nearest
    EXPECT_EQ(score->text(), QStringLiteral("Score"));
    EXPECT_TRUE(score->alignment() & Qt::AlignRight);

    auto* title = widget<QLabel>("lblTitle");
    EXPECT_EQ(QFontInfo(title->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 13.5);
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->width() * 15, window.lblTitle.width());  // auto-sized through the host
    EXPECT_GE(title->width(), title->sizeHint().width());

    auto* swatch = widget<QLabel>("lblSwatch");
    EXPECT_TRUE(swatch->autoFillBackground());
    EXPECT_EQ(swatch->palette().color(QPalette::Window),
              swatch->palette().color(QPalette::Highlight));
    EXPECT_NE(swatch->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(widget<QLabel>("lblRed")->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_FALSE(score->autoFillBackground());  // the button face is the default background

    EXPECT_TRUE(widget<QRadioButton>("optEasy")->isChecked());
    EXPECT_FALSE(widget<QRadioButton>("optHard")->isChecked());
    // In their group's widget, where the model puts them.
    EXPECT_EQ(widget("optEasy")->mapTo(canvas(), QPoint(0, 0)), QPoint(20, 184));
    EXPECT_EQ(widget("optHard")->mapTo(canvas(), QPoint(0, 0)), QPoint(20, 204));
    auto* level = widget<QScrollBar>("vsbLevel");
    EXPECT_EQ(level->size(), QSize(9, 17));
    EXPECT_EQ(level->maximum(), 32767);
    EXPECT_EQ(level->value(), 0);
    EXPECT_TRUE(widget<QLineEdit>("txtName")->text().isEmpty());

    // Shapes are painted, not widgets: box, then the circle on top of it.
    QImage image = canvas()->grab().toImage();
    EXPECT_EQ(image.pixelColor(40, 40), QColor(0, 0, 128));
    EXPECT_EQ(image.pixelColor(100, 50), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 40), QColor(0, 0, 0));  // the outline
    EXPECT_EQ(view.findChild<QWidget*>(QStringLiteral("shpBox")), nullptr);
}

TEST_F(View, WhatAHandlerChangesIsCopiedOntoTheWidgets) {
    window.cmdGo.onClick = [this] {
        window.setCaption("Renamed");
        window.lblScore.setCaption("12345");
        window.lblScore.setLeft(600);
        window.lblSwatch.setBackColor(ui::Color::of({0, 128, 0}));
        window.cmdSide.setVisible(false);
        window.optHard.setValue(true);
        window.txtName.setText("Ada");
        window.shpDot.move(3000, 2400);
        window.shpDot.setFillColor(ui::Color::of({0, 255, 0}));
        window.tmrTick.setEnabled(true);
    };
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);

    EXPECT_EQ(view.windowTitle(), QStringLiteral("Renamed"));
    EXPECT_EQ(widget<QLabel>("lblScore")->text(), QStringLiteral("12345"));
    EXPECT_EQ(widget("lblScore")->x(), 40);
    EXPECT_EQ(widget("lblSwatch")->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_TRUE(widget("cmdSide")->isHidden());
    EXPECT_FALSE(widget<QRadioButton>("optEasy")->isChecked());
    EXPECT_TRUE(widget<QRadioButton>("optHard")->isChecked());
    EXPECT_EQ(widget<QLineEdit>("txtName")->text(), QStringLiteral("Ada"));
    QImage image = canvas()->grab().toImage();
    EXPECT_NE(image.pixelColor(100, 50), QColor(255, 0, 0));  // gone from its old place
    EXPECT_EQ(image.pixelColor(220, 180), QColor(0, 255, 0));

    auto* tick = view.findChild<QTimer*>(QStringLiteral("tmrTick"));
    ASSERT_NE(tick, nullptr);
    EXPECT_TRUE(tick->isActive());
    EXPECT_EQ(tick->interval(), 20);
    EXPECT_EQ(tick->timerType(), Qt::PreciseTimer);
    QTest::qWait(100);
    EXPECT_FALSE(takeLog().empty());

    // A once-a-second timer must keep its period too, not a coarse timer's 5%.
    window.tmrTick.setInterval(1000);
    view.sync();
    EXPECT_EQ(tick->interval(), 1000);
    EXPECT_EQ(tick->timerType(), Qt::PreciseTimer);
}

TEST_F(View, AnEventThatChangesNothingRepaintsNothingAndIdleIsIdle) {
    window.pixField.onKeyDown = [this](std::int16_t, std::int16_t) {
        window.lblScore.setCaption("Score");  // as it is
        window.shpDot.move(window.shpDot.left(), window.shpDot.top());
        window.tmrTick.setEnabled(false);
    };
    widget("pixField")->setFocus();
    QTest::qWait(50);
    EventCounter paints(&view, QEvent::Paint);
    QTest::keyClick(widget("pixField"), Qt::Key_Left);
    QTest::qWait(50);
    EXPECT_EQ(paints.count, 0);

    // Controls changed and put back are newer, so every property of theirs
    // is copied again: still nothing repaints, and the text box keeps its
    // cursor and selection.
    auto* name = widget<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("Ada"));
    name->setSelection(2, -1);
    QTest::qWait(50);
    paints.count = 0;
    window.txtName.setText("Bob");
    window.txtName.setText("Ada");
    window.lblScore.setCaption("1");
    window.lblScore.setCaption("Score");
    window.lblTitle.setAutoSize(false);
    window.lblTitle.setAutoSize(true);
    window.lblSwatch.setBackColor(ui::Color::of({0, 128, 0}));
    window.lblSwatch.setBackColor(ui::Color::highlight());
    window.lblSwatch.setBordered(false);
    window.lblSwatch.setBordered(true);
    window.lblSwatch.setAccessibleName("Other");
    window.lblSwatch.setAccessibleName("Swatch");
    window.cmdGo.setCaption("Stop");
    window.cmdGo.setCaption("Go");
    window.optHard.setLeft(0);
    window.optHard.setLeft(300);
    window.shpDot.move(0, 0);
    window.shpDot.move(1200, 450);
    view.sync();
    QTest::qWait(50);
    EXPECT_EQ(paints.count, 0);
    EXPECT_EQ(name->selectedText(), QStringLiteral("d"));
    EXPECT_EQ(name->cursorPosition(), 1);

    // Nothing enabled: no clock runs, and a timer that wakes on a resize has none.
    for (QTimer* timer : view.findChildren<QTimer*>()) {
        EXPECT_FALSE(timer->isActive()) << timer->objectName().toStdString();
    }
    EXPECT_EQ(view.findChild<QTimer*>(QStringLiteral("tmrHold")), nullptr);

    // A moved shape repaints where it was and where it is, not the whole surface.
    window.pixField.onKeyDown = [this](std::int16_t, std::int16_t) { window.shpDot.move(15, 15); };
    paints.count = 0;
    QTest::keyClick(widget("pixField"), Qt::Key_Left);
    QTest::qWait(50);
    EXPECT_GE(paints.count, 1);
    EXPECT_LE(paints.count, 2);
}

TEST_F(View, ClicksReachTheirHandlersAndOptionsFollowTheModel) {
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);
    QTest::mouseClick(widget("lblSwatch"), Qt::LeftButton);
    // Pressed on the label but released elsewhere: no click.
    QTest::mousePress(view.windowHandle(), Qt::LeftButton, {},
                      widget("lblSwatch")->mapTo(&view, QPoint(5, 5)));
    QTest::mouseRelease(view.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(takeLog(), (Log{"go", "swatch"}));

    auto* hard = widget<QRadioButton>("optHard");
    QTest::mouseClick(hard, Qt::LeftButton);
    EXPECT_TRUE(window.optHard.value());
    EXPECT_FALSE(window.optEasy.value());
    EXPECT_TRUE(hard->isChecked());
    EXPECT_FALSE(widget<QRadioButton>("optEasy")->isChecked());
    QTest::mouseClick(hard, Qt::LeftButton);  // clicking it again leaves it on
    EXPECT_TRUE(hard->isChecked());
    EXPECT_EQ(takeLog(), (Log{"hard", "hard"}));

    // Return and keypad Enter click the focused button, as Space does.
    QWidget* go = widget("cmdGo");
    go->setFocus();
    QTest::keyClick(go, Qt::Key_Return);
    QTest::keyClick(go, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(go, Qt::Key_Space);
    EXPECT_EQ(takeLog(), (Log{"go", "go", "go"}));
}

TEST_F(View, KeysReachTheFocusedSurfaceAsVirtualKeyCodesWithTheShiftState) {
    QWidget* surface = widget("pixField");
    surface->setFocus();
    QTest::keyClick(surface, Qt::Key_Left);
    QTest::keyClick(surface, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(surface, Qt::Key_Escape);
    QTest::keyClick(surface, Qt::Key_A);
    QTest::keyClick(surface, Qt::Key_7);
    QTest::keyClick(surface, Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(surface, Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier);
    for (int i = 0; i < 3; ++i) {  // a held key: every repeat is a key-down
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(surface, &repeat);
    }
    // Keys that no window handles (letters, digits, Up, the modifier keys
    // themselves) do not reach the model.
    EXPECT_EQ(takeLog(), (Log{"key 37 0", "key 39 1", "key 27 0", "key 37 6", "key 39 0",
                              "key 39 0", "key 39 0"}));

    // Keys typed into another control are not the surface's.
    widget("cmdGo")->setFocus();
    QTest::keyClick(widget("cmdGo"), Qt::Key_Left);
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(View, TheFocusFollowsTheTabOrderAndFallsBackToTheSurface) {
    widget("cmdSide")->setFocus();
    QTest::keyClick(widget("cmdSide"), Qt::Key_Tab);
    EXPECT_TRUE(widget("pixField")->hasFocus());
    QTest::keyClick(widget("pixField"), Qt::Key_Tab);
    EXPECT_TRUE(widget("txtName")->hasFocus());
    EXPECT_TRUE(takeLog().empty());

    // Hiding the focused control with others after it moves the focus once,
    // straight to the first that can take it, not through each as it hides.
    window.cmdGo.onClick = [this] {
        window.cmdGo.setVisible(false);
        window.optEasy.setVisible(false);
        window.optHard.setVisible(false);
        window.vsbLevel.setVisible(false);
    };
    widget("cmdGo")->setFocus();
    EventCounter focusChanges(&view, QEvent::FocusIn);
    QTest::keyClick(widget("cmdGo"), Qt::Key_Space);
    EXPECT_TRUE(widget("cmdSide")->hasFocus());
    EXPECT_EQ(focusChanges.count, 1);

    // With every other focusable control hidden, the keys go to the surface.
    window.cmdSide.onClick = [this] {
        for (ui::Control* control : window.controls()) {
            if (control != &window.pixField && control->kind() != ui::ControlKind::Shape &&
                control->kind() != ui::ControlKind::Label) {
                control->setVisible(false);
            }
        }
    };
    focusChanges.count = 0;
    QTest::keyClick(widget("cmdSide"), Qt::Key_Space);
    EXPECT_TRUE(widget("pixField")->hasFocus());
    EXPECT_EQ(focusChanges.count, 1);
}

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

// What a screen reader is told of each kind of control, beyond what Qt's
// own widgets report of themselves.
TEST_F(View, AssistiveTechnologyGetsTheModelsRolesNamesAndRelations) {
    QAccessibleInterface* field = accessible(widget("pixField"));
    EXPECT_EQ(field->role(), QAccessible::Canvas);
    EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("Field"));
    window.cmdGo.onClick = [this] { window.pixField.setAccessibleDescription("Level 2"); };
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);
    EXPECT_EQ(field->text(QAccessible::Description), QStringLiteral("Level 2"));

    // Option buttons: radio buttons in a group named by the model.
    QAccessibleInterface* easy = accessible(widget("optEasy"));
    QAccessibleInterface* hard = accessible(widget("optHard"));
    EXPECT_EQ(easy->role(), QAccessible::RadioButton);
    EXPECT_EQ(easy->text(QAccessible::Name), QStringLiteral("Easy"));
    EXPECT_TRUE(easy->state().checkable && easy->state().checked);
    EXPECT_FALSE(hard->state().checked);
    EXPECT_EQ(easy->parent()->role(), QAccessible::Grouping);
    EXPECT_EQ(easy->parent()->text(QAccessible::Name), QStringLiteral("Speed"));
    EXPECT_EQ(hard->parent()->object(), easy->parent()->object());
    hard->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(window.optHard.value());
    EXPECT_TRUE(hard->state().checked && !easy->state().checked);

    // A label that takes clicks is a button, pressed as it is clicked; one
    // that takes none is text.
    QAccessibleInterface* swatch = accessible(widget("lblSwatch"));
    EXPECT_EQ(swatch->role(), QAccessible::Button);
    EXPECT_EQ(swatch->text(QAccessible::Name), QStringLiteral("Swatch"));
    EXPECT_TRUE(swatch->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    swatch->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(accessible(widget("lblRed"))->role(), QAccessible::StaticText);

    // A label names its buddy, and says so.
    QAccessibleInterface* name = accessible(widget("txtName"));
    EXPECT_EQ(name->role(), QAccessible::EditableText);
    EXPECT_EQ(name->text(QAccessible::Name), QStringLiteral("Name:"));
    const auto labels = name->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first().first->object(), widget("lblName"));
    EXPECT_EQ(takeLog(), (Log{"hard", "swatch"}));

    // A group shows while any of its buttons does.
    window.cmdGo.onClick = [this] {
        window.optEasy.setVisible(false);
        window.optHard.setVisible(false);
    };
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);
    EXPECT_TRUE(widget("optEasy")->parentWidget()->isHidden());
    EXPECT_TRUE(easy->state().invisible);
}

// Qt's styles show the focus once the keyboard has moved it.
TEST_F(View, TheSurfaceAndTheScrollBarShowTheStylesFocusOnceTheKeyboardMovesIt) {
    QWidget* surface = widget("pixField");
    QWidget* bar = widget("vsbLevel");
    const QImage surfaceAlone = surface->grab().toImage();
    const QImage barAlone = bar->grab().toImage();
    widget("cmdSide")->setFocus();
    QTest::keyClick(widget("cmdSide"), Qt::Key_Tab);
    ASSERT_TRUE(surface->hasFocus());
    const QImage focused = surface->grab().toImage();
    EXPECT_NE(focused.pixelColor(0, 100), surfaceAlone.pixelColor(0, 100));      // on the border
    EXPECT_EQ(focused.copy(2, 2, 300, 260), surfaceAlone.copy(2, 2, 300, 260));  // not inside

    widget("optHard")->setFocus();
    QTest::keyClick(widget("optHard"), Qt::Key_Tab);
    ASSERT_TRUE(bar->hasFocus());
    EXPECT_NE(bar->grab().toImage(), barAlone);
}

TEST_F(View, MouseEventsCarryButtonShiftAndInnerTwipsAndAreCapturedOutsideTheSurface) {
    // Every press and release comes where the pointer already is: Qt adds a
    // move of its own before one that jumps.
    QWindow* handle = view.windowHandle();
    QTest::mouseMove(handle, inner(10, 20));
    QTest::mousePress(handle, Qt::LeftButton, {}, inner(10, 20));
    QTest::mouseMove(handle, inner(30, 5));
    QTest::mouseMove(handle, QPoint(5, 5));  // out over the side strip
    QTest::mouseMove(handle, QPoint(5, 280));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(5, 280));
    QTest::mouseMove(handle, QPoint(6, 280));  // outside, no button held: not the surface's
    QTest::mouseMove(handle, inner(2, 2));
    QTest::mousePress(handle, Qt::RightButton, Qt::ShiftModifier, inner(2, 2));
    QTest::mouseRelease(handle, Qt::RightButton, Qt::ShiftModifier, inner(2, 2));
    EXPECT_EQ(takeLog(), (Log{"move 0 0 150 300", "down 1 0 150 300", "move 1 0 450 75",
                              "move 1 0 -1155 -75", "move 1 0 -1155 4050", "up 1 0 -1155 4050",
                              "move 0 0 30 30", "down 2 1 30 30", "up 2 1 30 30"}));

    // Between pixels (a high-DPI screen) the position keeps its fraction.
    QPointF local = QPointF(inner(10, 20)) + QPointF(0.5, 0.25);
    QPointF global = handle->mapToGlobal(local);
    qt_handleMouseEvent(handle, local, global, Qt::NoButton, Qt::NoButton, QEvent::MouseMove,
                        Qt::NoModifier, 0);
    qt_handleMouseEvent(handle, local, global, Qt::MiddleButton, Qt::MiddleButton,
                        QEvent::MouseButtonPress, Qt::NoModifier, 0);
    qt_handleMouseEvent(handle, local, global, Qt::NoButton, Qt::MiddleButton,
                        QEvent::MouseButtonRelease, Qt::NoModifier, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(takeLog(),
              (Log{"move 0 0 157.5 303.75", "down 4 0 157.5 303.75", "up 4 0 157.5 303.75"}));
}

TEST_F(View, TheSpinnerChangesTheValueThroughItsArrowsAndShowsNestedChanges) {
    auto* bar = widget<QScrollBar>("vsbLevel");
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(4, 13));  // the down arrow
    EXPECT_EQ(window.vsbLevel.value(), 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(4, 3));  // the up arrow: 0, put back to 5
    EXPECT_EQ(window.vsbLevel.value(), 5);
    EXPECT_EQ(bar->value(), 5);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(4, 13));  // 6, put back to 1
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(takeLog(), (Log{"level 1", "level 0", "level 5", "level 6", "level 1"}));

    // The program's own change runs the handler once, not once more as an echo.
    window.cmdGo.onClick = [this] { window.vsbLevel.setValue(3); };
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(takeLog(), (Log{"level 3"}));
}

// A key press that carries `text`, as a keyboard layout delivers a
// character that has no key code of its own.
void typeCharacter(QWidget* widget, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

TEST_F(View, RefusedCharactersCannotBeTypedPastedOrComposed) {
    auto* name = widget<QLineEdit>("txtName");
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Say \"hi\", Ada"));
    EXPECT_EQ(name->text(), QStringLiteral("Say hi Ada"));
    EXPECT_EQ(window.txtName.text(), "Say hi Ada");

    name->setCursorPosition(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("\"x,\r\ny"));
    name->paste();
    EXPECT_EQ(name->text(), QStringLiteral("Sayxy hi Ada"));
    EXPECT_EQ(name->cursorPosition(), 5);
    EXPECT_EQ(window.txtName.text(), "Sayxy hi Ada");

    // Only what the files' code page holds, whichever way it comes in.
    for (const QString& typed :
         {QStringLiteral("\u0141"), QStringLiteral("\u00E9"), QStringLiteral("\U0001F600")}) {
        typeCharacter(name, typed);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("\u20AC\U0001F600\u00DF"));
    name->paste();
    QGuiApplication::clipboard()->setText(QStringLiteral("e\u0301"));  // e and an accent
    name->paste();
    QInputMethodEvent composing(QStringLiteral("\u0142"), {});
    QCoreApplication::sendEvent(name, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("\u0142\U0001F600\u00F1"));
    QCoreApplication::sendEvent(name, &committed);
    EXPECT_EQ(name->text(), QStringLiteral("Sayxy\u00E9\u20AC\u00DF\u00E9\u00F1 hi Ada"));
    EXPECT_EQ(name->cursorPosition(), 10);
    EXPECT_EQ(window.txtName.text(), "Sayxy\xC3\xA9\xE2\x82\xAC\xC3\x9F\xC3\xA9\xC3\xB1 hi Ada");

    QTest::keyClick(name, Qt::Key_Return);  // no default button
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(View, AUserResizeWakesTheTimerThatPutsTheSizeBack) {
    view.resize(500, 400);
    QTest::qWait(50);
    EXPECT_EQ(takeLog(), (Log{"hold"}));
    EXPECT_EQ(view.size(), QSize(400, 288));

    window.tmrHold.setEnabled(false);
    view.resize(450, 300);
    QTest::qWait(50);
    EXPECT_EQ(window.clientWidth(), 450 * 15);
    EXPECT_EQ(window.clientHeight(), 300 * 15);
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(View, AWindowThatIsNotSizableGivesItsSizeAsMinimumAndMaximum) {
    EXPECT_EQ(view.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    window.setSizable(false);
    view.sync();
    EXPECT_EQ(view.minimumSize(), QSize(400, 288));
    EXPECT_EQ(view.maximumSize(), QSize(400, 288));

    // A window manager that resizes it all the same meets the timer.
    view.windowHandle()->resize(500, 400);
    QTest::qWait(50);
    EXPECT_EQ(takeLog(), (Log{"hold"}));
    EXPECT_EQ(view.size(), QSize(400, 288));

    window.setSizable(true);
    view.sync();
    EXPECT_EQ(view.minimumSize(), QSize(0, 0));
    EXPECT_EQ(view.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(View, ClosingTheWindowEndsTheProgramAtOnceRunningNoHandler) {
    window.tmrTick.setEnabled(true);
    window.pixField.onKeyDown = [this](std::int16_t, std::int16_t) {
        window.tmrTick.setEnabled(true);
    };
    QTest::keyClick(widget("pixField"), Qt::Key_Left);  // syncs the timer on
    takeLog();
    view.close();
    EXPECT_EQ(endedWith, 0);
    QTest::qWait(60);
    QTest::mouseClick(widget("cmdGo"), Qt::LeftButton);
    EXPECT_TRUE(takeLog().empty());
}

TEST(Frame, TheViewDrawsItOnlyOnWaylandWhereTheCompositorDrawsNone) {
    const struct {
        const char16_t* platform;
        bool compositorDecorates;
        Frame frame;
    } rows[] = {
        {u"xcb", false, Frame::Platform},  // the window manager's
        {u"wayland", true, Frame::Platform},    {u"wayland-egl", true, Frame::Platform},
        {u"wayland", false, Frame::Own},        {u"wayland-egl", false, Frame::Own},
        {u"offscreen", false, Frame::Platform},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(frameFor(row.platform, row.compositorDecorates), row.frame)
            << QStringView(row.platform).toString().toStdString() << " " << row.compositorDecorates;
    }
}

// Where the platform would draw decorations that offer minimise and maximise
// (Qt's own, on Wayland), the view draws the frame itself.
TEST(OwnFrame, HasATitleBarWithOnlyACloseButtonAndIsInTheOuterSizeFromTheStart) {
    QtHost host;
    testing::TestWindow window{host};
    window.setSizable(false);
    std::pair<double, double> outerAtLoad;
    window.onLoad = [&] { outerAtLoad = {window.outerWidth(), window.outerHeight()}; };
    WindowView view{window, host};
    OwnFrame frame{view};
    std::optional<int> endedWith;
    view.setOnFinished([&](int status) { endedWith = status; });
    view.load();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    const QMargins margins = ownFrameMargins();
    EXPECT_TRUE(frame.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("View Test"));
    EXPECT_EQ(frame.size(), QSize(400 + margins.left() + margins.right(),
                                  288 + margins.top() + margins.bottom()));
    EXPECT_EQ(outerAtLoad, (std::pair{toTwips(frame.width()), toTwips(frame.height())}));
    EXPECT_EQ(frame.minimumSize(), frame.size());
    EXPECT_EQ(frame.maximumSize(), frame.size());
    auto* side = view.findChild<QPushButton*>(QStringLiteral("cmdSide"));
    EXPECT_EQ(side->mapTo(&frame, QPoint(0, 0)), QPoint(margins.left(), margins.top() + 40));

    // A resize lands on the client area, the frame taken off.
    window.setSizable(true);
    window.tmrHold.setEnabled(false);
    view.sync();
    frame.resize(frame.size() + QSize(50, 30));
    QTest::qWait(50);
    EXPECT_EQ(window.clientWidth(), (400 + 50) * 15);
    EXPECT_EQ(window.clientHeight(), (288 + 30) * 15);

    auto* title =
        dynamic_cast<TitleBarWidget*>(frame.findChild<QWidget*>(QStringLiteral("titleBar")));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->findChildren<QWidget*>().isEmpty()) << "no buttons but the close one";
    // A press on the title bar moves the window, wherever it is but on the button.
    const QRect button = title->closeButtonRect();
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(10, button.center().y()));
    QTest::mouseClick(title, Qt::LeftButton, {}, button.center() - QPoint(button.width(), 0));
    EXPECT_FALSE(endedWith);
    QTest::mouseClick(title, Qt::LeftButton, {}, button.center());
    EXPECT_EQ(endedWith, 0);
}

// Whether a press of the left button on the left border is the frame's: the
// start of a resize.
bool borderTakesPress(OwnFrame& frame) {
    const QPointF at(1, 100);
    QMouseEvent press(QEvent::MouseButtonPress, at, frame.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &press);
    return press.isAccepted();
}

TEST(OwnFrame, OnlyASizableWindowsBorderResizesIt) {
    QtHost host;
    testing::TestWindow window{host};
    window.setSizable(false);
    WindowView view{window, host};
    OwnFrame frame{view};
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::mouseMove(frame.windowHandle(), QPoint(1, 100));
    EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(borderTakesPress(frame));

    window.setSizable(true);
    view.sync();
    QTest::mouseMove(frame.windowHandle(), QPoint(1, 101));
    EXPECT_EQ(frame.cursor().shape(), Qt::SizeHorCursor);
    EXPECT_TRUE(borderTakesPress(frame));
}

// The darkest grey of the title bar as the screen shows it.
int darkestOfTitleBar(const OwnFrame& frame) {
    const QImage screen = frame.screen()->grabWindow(frame.winId()).toImage();
    const QWidget* title = frame.findChild<QWidget*>(QStringLiteral("titleBar"));
    const QRect area(title->mapTo(&frame, QPoint(0, 0)), title->size());
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            darkest = std::min(darkest, qGray(screen.pixel(x, y)));
        }
    }
    return darkest;
}

// Like the title bars the platform draws beside it: caption and close button
// dark while the window is active, grey while another one is.
TEST(OwnFrame, TheTitleBarShowsWhetherTheWindowIsActive) {
    QtHost host;
    testing::TestWindow window{host};
    WindowView view{window, host};
    OwnFrame frame{view};
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::qWait(50);
    EXPECT_LT(darkestOfTitleBar(frame), 60);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::qWait(50);
    EXPECT_GT(darkestOfTitleBar(frame), 90);

    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::qWait(50);
    EXPECT_LT(darkestOfTitleBar(frame), 60);
}

TEST(OwnFrame, TheBorderResizesAndTheTitleBarDoesNot) {
    const QMargins frame = ownFrameMargins();
    const QSize size(400 + frame.left() + frame.right(), 288 + frame.top() + frame.bottom());
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    const struct {
        QPoint at;
        Qt::Edges edges;
    } rows[] = {
        {{0, 100}, Qt::LeftEdge},
        {{right, 100}, Qt::RightEdge},
        {{100, bottom}, Qt::BottomEdge},
        {{0, bottom}, Qt::LeftEdge | Qt::BottomEdge},
        {{right - 10, bottom}, Qt::RightEdge | Qt::BottomEdge},  // near the corner
        {{right, bottom - 10}, Qt::RightEdge | Qt::BottomEdge},
        {{0, 2}, {}},              // the title bar moves the window
        {{100, frame.top()}, {}},  // the client area
        {{frame.left(), 100}, {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ownFrameEdgesAt(row.at, size), row.edges) << row.at.x() << ", " << row.at.y();
    }
}

}  // namespace
}  // namespace tilebash::ui::qt
