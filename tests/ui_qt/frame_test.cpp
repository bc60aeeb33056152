// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <memory>

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ui/qt/own_frame.h"
#include "ui/qt/widgets.h"
#include "ui/qt/window_view.h"

namespace tilebash::ui::qt {
namespace {

TEST(Frame, TheViewDrawsItOnlyOnWaylandWhereTheCompositorDrawsNone) {
    EXPECT_FALSE(needsOwnFrame(u"xcb", false));  // the window manager's
    EXPECT_FALSE(needsOwnFrame(u"wayland", true));
    EXPECT_TRUE(needsOwnFrame(u"wayland", false));
    EXPECT_TRUE(needsOwnFrame(u"wayland-egl", false));
    EXPECT_FALSE(needsOwnFrame(u"offscreen", false));
}

// A window of 400 x 288 pixels with one button.
class FramedWindow : public ui::Window {
  public:
    explicit FramedWindow(ui::Host& host) : Window(host) {
        setCaption("View Test");
        setClientSize(6000, 4320);
        add(cmdSide, "cmdSide");
        cmdSide.setGeometry(0, 600, 1200, 375);
    }
    ui::CommandButton cmdSide;
};

// Its view in the frame, shown, its size fixed.
class OwnFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setSizable(false);
        window.onLoad = [this] { outerAtLoad = {window.outerWidth(), window.outerHeight()}; };
        view.load();
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    // A view that ended the program told the event loop to end; running the
    // application's loop once clears that for the tests after.
    void TearDown() override {
        QTimer::singleShot(0, [] { QCoreApplication::exit(); });
        QCoreApplication::exec();
    }
    void setSizable(bool sizable) {
        view.run([this, sizable] { window.setSizable(sizable); });
    }
    // The darkest grey of the title bar, inside the outline, on the screen.
    int darkestOfTitleBar() const {
        const QImage screen = frame.screen()->grabWindow(frame.winId()).toImage();
        int darkest = 255;
        for (int y = 1; y < frame.contentsMargins().top(); ++y) {
            for (int x = 1; x < frame.width() - 1; ++x) {
                darkest = std::min(darkest, qGray(screen.pixel(x, y)));
            }
        }
        return darkest;
    }
    std::unique_ptr<FramedWindow> model;  // outlives the view
    WindowView view;
    FramedWindow& window = *(model = std::make_unique<FramedWindow>(view));
    bool built = (view.build(window), true);
    OwnFrame frame{view};
    std::pair<double, double> outerAtLoad;
};

TEST_F(OwnFrameTest, HasATitleBarWithOnlyACloseButtonAndIsInTheOuterSizeFromTheStart) {
    const QMargins margins = frame.contentsMargins();
    EXPECT_TRUE(frame.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(frame.windowTitle() == QStringLiteral("View Test") &&
                frame.size() == QSize(400, 288).grownBy(margins));
    EXPECT_EQ(outerAtLoad, (std::pair{toTwips(frame.width()), toTwips(frame.height())}));
    EXPECT_EQ(std::pair(frame.minimumSize(), frame.maximumSize()),
              std::pair(frame.size(), frame.size()));
    auto* side = view.findChild<QPushButton*>(QStringLiteral("cmdSide"));
    EXPECT_EQ(side->mapTo(&frame, QPoint(0, 0)), QPoint(margins.left(), margins.top() + 40));

    // A resize lands on the client area, the frame taken off.
    setSizable(true);
    frame.resize(frame.size() + QSize(50, 30));
    QTest::qWait(50);
    EXPECT_EQ(std::pair(window.clientWidth(), window.clientHeight()),
              std::pair((400.0 + 50) * 15, (288.0 + 30) * 15));

    // No widget but the client: the close button, at the right of the title
    // bar, is painted. A press anywhere else on the title bar moves the window.
    EXPECT_EQ(frame.findChildren<QWidget*>(Qt::FindDirectChildrenOnly), QList<QWidget*>{&view});
    const QRect button = frame.closeButton();
    EXPECT_TRUE(
        QRect(frame.width() - margins.top(), 0, margins.top(), margins.top()).contains(button));
    // It lights up under the pointer, and goes out as the pointer moves on,
    // even straight into the client.
    const auto shown = [&](QPoint pointer) {
        QTest::mouseMove(frame.windowHandle(), pointer);
        QTest::qWait(50);
        return frame.screen()->grabWindow(frame.winId()).toImage().copy(button);
    };
    const QImage plain = shown(QPoint(10, button.center().y()));
    EXPECT_NE(shown(button.center()), plain);
    EXPECT_EQ(shown(QPoint(200, 150)), plain);
    QTest::mouseClick(&frame, Qt::LeftButton, {}, QPoint(10, button.center().y()));
    QTest::mouseClick(&frame, Qt::LeftButton, {}, button.center() - QPoint(button.width(), 0));
    EXPECT_FALSE(view.finished());
    QTest::mouseClick(&frame, Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(view.finished());
    EXPECT_EQ(view.exitStatus(), 0);
}

TEST_F(OwnFrameTest, OnlyASizableWindowsBorderResizesIt) {
    const int top = frame.contentsMargins().top();
    const int right = frame.width() - 1;
    const int bottom = frame.height() - 1;
    // The cursor there while the window is sizable; a press there resizes it,
    // but on the title bar, which moves the window.
    const std::pair<QPoint, Qt::CursorShape> rows[] = {{{0, top - 1}, Qt::ArrowCursor},
                                                       {{0, 100}, Qt::SizeHorCursor},
                                                       {{100, bottom}, Qt::SizeVerCursor},
                                                       {{0, bottom}, Qt::SizeBDiagCursor},
                                                       {{right, bottom - 10}, Qt::SizeFDiagCursor},
                                                       {{right - 10, bottom}, Qt::SizeFDiagCursor}};
    for (const bool sizable : {false, true}) {
        setSizable(sizable);
        for (const auto& [at, shape] : rows) {
            QTest::mouseMove(frame.windowHandle(), at);
            EXPECT_EQ(frame.cursor().shape(), sizable ? shape : Qt::ArrowCursor)
                << at.x() << ", " << at.y();
            QMouseEvent press(QEvent::MouseButtonPress, at, frame.mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&frame, &press);
            EXPECT_EQ(press.isAccepted(), sizable || at.y() < top);
        }
        QTest::mouseMove(frame.windowHandle(), QPoint(200, 150));  // into the client
        EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    }
}

// Like the title bars the platform draws beside it: caption and close button
// dark while the window is active, grey while another one is.
TEST_F(OwnFrameTest, TheTitleBarShowsWhetherTheWindowIsActive) {
    QWidget other;
    for (QWidget* active : {static_cast<QWidget*>(&frame), &other, static_cast<QWidget*>(&frame)}) {
        active->show();
        active->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(active));
        QTest::qWait(50);
        EXPECT_EQ(darkestOfTitleBar() < 60, active == &frame) << darkestOfTitleBar();
        EXPECT_EQ(darkestOfTitleBar() > 90, active != &frame) << darkestOfTitleBar();
    }
}

}  // namespace
}  // namespace tilebash::ui::qt
