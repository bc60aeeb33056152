// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds on each screen of both programs, driven from
// the keyboard alone: the objects it can act on or read, with their roles,
// names, descriptions, labels and states, and where the focus is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QAccessible>
#include <QTest>

#include "editor/frm_tilebash_level_editor.h"
#include "game/frm_tilebash.h"
#include "support/temp_dir.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/window_view.h"

namespace tilebash::ui::qt {
namespace {

using Tree = std::vector<std::string>;

std::string roleOf(QAccessible::Role role) {
    switch (role) {
        case QAccessible::Canvas:
            return "canvas";
        case QAccessible::Grouping:
            return "group";
        case QAccessible::RadioButton:
            return "radio";
        case QAccessible::Button:
            return "button";
        case QAccessible::EditableText:
            return "text";
        case QAccessible::ScrollBar:
            return "scroll bar";
        default:
            return {};  // text on the screen, and what only holds the rest
    }
}

std::string quoted(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

// One line for each object shown that is more than text: indented under
// the one it lies in.
void describe(QAccessibleInterface* object, const std::string& indent, Tree& tree) {
    for (int i = 0; i < object->childCount(); ++i) {
        QAccessibleInterface* child = object->child(i);
        if (child == nullptr || child->state().invisible) {
            continue;
        }
        const std::string role = roleOf(child->role());
        if (role.empty()) {
            describe(child, indent, tree);
            continue;
        }
        std::string line = indent + role + " " + quoted(child->text(QAccessible::Name));
        if (const QString description = child->text(QAccessible::Description);
            !description.isEmpty()) {
            line += " " + quoted(description);
        }
        for (const auto& [label, relation] : child->relations(QAccessible::Label)) {
            line += " labelled by " + quoted(label->text(QAccessible::Name));
        }
        line += child->state().checked ? " checked" : "";
        line += child->state().focused ? " focused" : "";
        tree.push_back(line);
        describe(child, indent + "  ", tree);
    }
}

class Screens : public ::testing::Test {
  protected:
    Tree tree() {
        QCoreApplication::processEvents();
        Tree lines;
        describe(QAccessible::queryAccessibleInterface(view_.get()), "", lines);
        return lines;
    }
    void show(ui::Window& window) {
        view_ = std::make_unique<WindowView>(window, host);
        view_->setOnFinished([](int) {});
        view_->load();
        view_->show();
        view_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
    }
    void key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    QAccessibleInterface* find(const char* name) {
        return QAccessible::queryAccessibleInterface(
            view_->findChild<QWidget*>(QString::fromLatin1(name)));
    }

    testing::TempDir dir;
    testing::WorkingDirectory cwd{dir.path()};
    QtHost host;
    std::unique_ptr<WindowView> view_;
};

TEST_F(Screens, OfTheGame) {
    testing::copyFiles(TILEBASH_DATA_DIR, dir.path());
    // A table that any score enters, and the shipped colours.
    std::string options;
    for (int row = 0; row < 10; ++row) {
        options += " 0 \r\nRow " + std::to_string(row) + "\r\n";
    }
    testing::writeBytes(dir / "options.wkp", options + " 12 \r\n 1 \r\n 3 \r\n 150 \r\n");
    FrmTilebash window(host);
    show(window);
    const Tree menu = {"canvas \"Playfield\" focused", "  button \"New Game\"",
                       "  button \"Options\"",         "  button \"High Score\"",
                       "  button \"Credits\"",         "  button \"Quit\""};
    EXPECT_EQ(tree(), menu);

    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Return);  // Options
    EXPECT_EQ(tree(),
              (Tree{"canvas \"Playfield\" focused", "  group \"Difficulty\"", "    radio \"Easy\"",
                    "    radio \"Medium\" checked", "    radio \"Hard\"",
                    "  scroll bar \"Level:\" labelled by \"Level:\"",
                    "  button \"Ball colour: Light red\"", "  button \"Paddle colour: Blue\"",
                    "  button \"Brick colour: Cyan\"", "  button \"OK\""}));
    // A swatch's press action steps its colour as a click does.
    find("lblBallColor")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(window.bytBallColor, 13);
    EXPECT_EQ(find("lblBallColor")->text(QAccessible::Name),
              QStringLiteral("Ball colour: Light magenta"));
    // The tab order: Easy, Medium, Hard, the scroll bar, OK; the swatches
    // are not in it.
    for (int i = 0; i < 5; ++i) {
        key(Qt::Key_Tab);
    }
    EXPECT_TRUE(find("cmdOKOptions")->state().focused);
    key(Qt::Key_Return);
    EXPECT_EQ(tree(), menu);

    key(Qt::Key_Tab);
    key(Qt::Key_Space);  // New Game
    EXPECT_EQ(tree(), (Tree{"canvas \"Playfield\" \"Level 1, lives 3, score 1\" focused"}));
    key(Qt::Key_Escape);
    EXPECT_EQ(tree(), (Tree{"canvas \"Playfield\" focused", "  button \"OK\""}));
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    // The focus stays on the playfield: it is not moved into the name box.
    EXPECT_EQ(tree(), (Tree{"canvas \"Playfield\" focused",
                            "  text \"Enter your name:\" labelled by \"Enter your name:\"",
                            "  button \"OK\""}));
    key(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ada"));
    key(Qt::Key_Return);  // in the name box: nothing
    EXPECT_TRUE(find("txtNewHighScoreName")->state().focused);
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_EQ(window.strHighScoreName[0], "Ada");
    EXPECT_EQ(tree(), (Tree{"canvas \"Playfield\" focused", "  button \"OK\""}));  // the table
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_EQ(tree(), menu);

    for (int i = 0; i < 4; ++i) {
        key(Qt::Key_Tab);
    }
    key(Qt::Key_Return);  // Credits
    EXPECT_EQ(tree(), (Tree{"canvas \"Playfield\" focused", "  button \"OK\""}));
}

TEST_F(Screens, OfTheEditor) {
    testing::copyFiles(TILEBASH_DATA_DIR, dir.path());
    FrmTilebashLevelEditor window(host);
    show(window);
    const Tree prompt = {"canvas \"Playfield\" focused",
                         "  text \"Which level do you want to edit (1-5)?\" labelled by "
                         "\"Which level do you want to edit (1-5)?\"",
                         "  button \"OK\""};
    EXPECT_EQ(tree(), prompt);
    key(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_EQ(tree(), (Tree{"canvas \"Playfield\" focused", "button \"Reset\"",
                            "button \"Change Level\"", "button \"Save\"", "button \"Quit\""}));
    // The tab order: Reset, Change Level.
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_EQ(tree(), prompt);
}

}  // namespace
}  // namespace tilebash::ui::qt
