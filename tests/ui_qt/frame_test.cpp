// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "ui/qt/own_frame.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/twips.h"
#include "ui/qt/window_view.h"
#include "ui_qt/test_window.h"

namespace tilebash::ui::qt {
namespace {

TEST(Frame, TheViewDrawsItOnlyOnWaylandWhereTheCompositorDrawsNone) {
    EXPECT_FALSE(needsOwnFrame(u"xcb", false));  // the window manager's
    EXPECT_FALSE(needsOwnFrame(u"wayland", true));
    EXPECT_TRUE(needsOwnFrame(u"wayland", false));
    EXPECT_TRUE(needsOwnFrame(u"wayland-egl", false));
    EXPECT_FALSE(needsOwnFrame(u"offscreen", false));
}

// The test window's view in the frame, its size fixed.
class OwnFrameTest : public ::testing::Test {
  protected:
    OwnFrameTest() { setSizable(false); }
    void setSizable(bool sizable) {
        window.setSizable(sizable);
        view.sync();
    }
    void show() {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    QtHost host;
    testing::TestWindow window{host};
    WindowView view{window, host};
    OwnFrame frame{view};
};

TEST_F(OwnFrameTest, HasATitleBarWithOnlyACloseButtonAndIsInTheOuterSizeFromTheStart) {
    std::pair<double, double> outerAtLoad;
    window.onLoad = [&] { outerAtLoad = {window.outerWidth(), window.outerHeight()}; };
    std::optional<int> endedWith;
    view.setOnFinished([&](int status) { endedWith = status; });
    view.load();
    show();
    const QMargins margins = frame.contentsMargins();
    EXPECT_TRUE(frame.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("View Test"));
    EXPECT_GT(margins.top(), margins.bottom());
    EXPECT_EQ(frame.size(), QSize(400, 288).grownBy(margins));
    EXPECT_EQ(outerAtLoad, (std::pair{toTwips(frame.width()), toTwips(frame.height())}));
    EXPECT_EQ(frame.minimumSize(), frame.size());
    EXPECT_EQ(frame.maximumSize(), frame.size());
    auto* side = view.findChild<QPushButton*>(QStringLiteral("cmdSide"));
    EXPECT_EQ(side->mapTo(&frame, QPoint(0, 0)), QPoint(margins.left(), margins.top() + 40));

    // A resize lands on the client area, the frame taken off.
    window.tmrHold.setEnabled(false);
    setSizable(true);
    frame.resize(frame.size() + QSize(50, 30));
    QTest::qWait(50);
    EXPECT_EQ(window.clientWidth(), (400 + 50) * 15);
    EXPECT_EQ(window.clientHeight(), (288 + 30) * 15);

    // No widget but the client's: the close button is painted, at the right
    // of the title bar. A press anywhere else on the title bar moves the window.
    EXPECT_EQ(frame.findChildren<QWidget*>(Qt::FindDirectChildrenOnly), QList<QWidget*>{&view});
    const QRect button = frame.closeButton();
    EXPECT_TRUE(
        QRect(frame.width() - margins.top(), 0, margins.top(), margins.top()).contains(button));
    QTest::mouseClick(&frame, Qt::LeftButton, {}, QPoint(10, button.center().y()));
    QTest::mouseClick(&frame, Qt::LeftButton, {}, button.center() - QPoint(button.width(), 0));
    EXPECT_FALSE(endedWith);
    QTest::mouseClick(&frame, Qt::LeftButton, {}, button.center());
    EXPECT_EQ(endedWith, 0);
}

TEST_F(OwnFrameTest, OnlyASizableWindowsBorderResizesIt) {
    show();
    const int top = frame.contentsMargins().top();
    const int right = frame.width() - 1;
    const int bottom = frame.height() - 1;
    const struct {
        QPoint at;
        Qt::CursorShape sizable;  // the cursor there, and whether a press resizes
    } rows[] = {
        {{0, 100}, Qt::SizeHorCursor},
        {{right, 100}, Qt::SizeHorCursor},
        {{100, bottom}, Qt::SizeVerCursor},
        {{0, bottom}, Qt::SizeBDiagCursor},
        {{right - 10, bottom}, Qt::SizeFDiagCursor},  // near the corner
        {{right, bottom - 10}, Qt::SizeFDiagCursor},
        {{0, top - 1}, Qt::ArrowCursor},  // the title bar moves the window
    };
    for (const bool sizable : {false, true}) {
        setSizable(sizable);
        for (const auto& row : rows) {
            const Qt::CursorShape cursor = sizable ? row.sizable : Qt::ArrowCursor;
            QTest::mouseMove(frame.windowHandle(), row.at);
            EXPECT_EQ(frame.cursor().shape(), cursor) << row.at.x() << ", " << row.at.y();
            QMouseEvent press(QEvent::MouseButtonPress, row.at, frame.mapToGlobal(row.at),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&frame, &press);
            EXPECT_EQ(press.isAccepted(), cursor != Qt::ArrowCursor || row.at.y() < top);
        }
    }
}

// The darkest grey of the title bar (inside the outline) as the screen shows it.
int darkestOfTitleBar(const OwnFrame& frame) {
    const QImage screen = frame.screen()->grabWindow(frame.winId()).toImage();
    int darkest = 255;
    for (int y = 1; y < frame.contentsMargins().top(); ++y) {
        for (int x = 1; x < frame.width() - 1; ++x) {
            darkest = std::min(darkest, qGray(screen.pixel(x, y)));
        }
    }
    return darkest;
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
        if (active == &frame) {
            EXPECT_LT(darkestOfTitleBar(frame), 60);
        } else {
            EXPECT_GT(darkestOfTitleBar(frame), 90);
        }
    }
}

}  // namespace
}  // namespace tilebash::ui::qt
