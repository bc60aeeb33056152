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
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "support/temp_dir.h"
#include "ui/qt/desktop_identity.h"
#include "ui/qt/light_palette.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/twips.h"
#include "ui/qt/widgets.h"
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

// On a dark desktop the playfield would turn dark under the shapes, whose
// colours are fixed. A dark palette set for the application stands in for
// the one a desktop theme gives it.
TEST(LightPalette, KeepsThePlayfieldLightUnderTheShapesOnADarkDesktop) {
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(0x31, 0x36, 0x3b), QColor(0x23, 0x26, 0x29));
    QApplication::setPalette(dark);
    useLightPalette();
    QtHost host;
    testing::TestWindow window{host};
    WindowView view{window, host};
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QColor light = QApplication::style()->standardPalette().color(QPalette::Window);
    const QImage field =
        view.findChild<SurfaceWidget*>(QStringLiteral("pixField"))->canvas()->grab().toImage();
    EXPECT_EQ(field.pixelColor(250, 20), light);  // the bare playfield
    EXPECT_GT(qGray(light.rgb()), 200);
    EXPECT_EQ(field.pixelColor(40, 40), QColor(0, 0, 128));  // the navy box
    EXPECT_EQ(field.pixelColor(20, 40), QColor(0, 0, 0));    // its outline
    EXPECT_EQ(
        view.findChild<QLabel*>(QStringLiteral("lblScore"))->palette().color(QPalette::WindowText),
        QColor(0, 0, 0));
    QApplication::setPalette(before);
}

// The icon named as the menu entry: the installed theme's where it has one,
// else the copy built into the program, which is desktop/'s own.
TEST(DesktopIdentity, NamesTheMenuEntryAndTakesItsIconFromTheThemeOrElseTheBuiltInOne) {
    const QString name = QStringLiteral("io.github.tilebash.Tilebash");
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    testing::TempDir themes;
    const QString themesPath = QString::fromStdString(themes.path().string());
    QIcon::setThemeSearchPaths({themesPath});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    setDesktopIdentity(name);
    EXPECT_EQ(QGuiApplication::desktopFileName(), name);
    // desktop/'s dark blue background
    EXPECT_EQ(QApplication::windowIcon().pixmap(64).toImage().pixelColor(10, 40),
              QColor(0x16, 0x21, 0x4a));

    std::filesystem::create_directories(themes / "hicolor/32x32/apps");
    testing::writeBytes(themes / "hicolor/index.theme",
                        "[Icon Theme]\nName=Hicolor\nDirectories=32x32/apps\n\n"
                        "[32x32/apps]\nSize=32\nType=Fixed\n");
    QImage green(32, 32, QImage::Format_RGB32);
    green.fill(Qt::green);
    green.save(themesPath + QStringLiteral("/hicolor/32x32/apps/") + name + QStringLiteral(".png"));
    QIcon::setThemeSearchPaths({themesPath});  // looked through afresh
    setDesktopIdentity(name);
    EXPECT_EQ(QApplication::windowIcon().pixmap(32).toImage().pixelColor(16, 16),
              QColor(Qt::green));

    QGuiApplication::setDesktopFileName({});
    QApplication::setWindowIcon({});
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(themeName);
}

}  // namespace
}  // namespace tilebash::ui::qt
