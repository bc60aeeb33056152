// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays scripted sessions through the two headless window models and prints,
// after every step, what a view reads of them: every control's properties,
// the timers, the window's own properties, the message boxes and the public
// state record. A session starts and ends with everything; the steps between
// print only the lines that changed, which is the same record in a fraction
// of the size (two dumps differ at a step exactly when the states do). The
// files a session writes are printed byte by byte.
//
//   model_dump DATA_DIR > dump.txt
//
// It uses only what a view and a handler's caller use of the models (the
// controls' getters and events, the windows' handlers and state), so that the
// same source builds against every revision that scripts/compare-behaviour
// compares.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editor/frm_tilebash_level_editor.h"
#include "game/frm_tilebash.h"
#include "ui/controls.h"
#include "ui/host.h"
#include "ui/key_codes.h"
#include "ui/window.h"

namespace {

using namespace tilebash;
namespace fs = std::filesystem;

// ---- Formatting ------------------------------------------------------------

std::string num(double value) {
    std::ostringstream out;
    out.precision(17);
    out << value;
    return out.str();
}

std::string yes(bool value) {
    return value ? "yes" : "no";
}

// Printable ASCII as it is, everything else escaped, so that a dump is plain
// text whatever a file or a caption holds.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char character : text) {
        auto c = static_cast<unsigned char>(character);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out + "\"";
}

// By name only the roles every version of the model has.
std::string colour(const ui::Color& color) {
    if (color.role == ui::Color::Role::ButtonFace) {
        return "buttonFace";
    }
    if (color.role == ui::Color::Role::Highlight) {
        return "highlight";
    }
    if (color.role != ui::Color::Role::Rgb) {
        return "role " + std::to_string(static_cast<int>(color.role));
    }
    return "rgb(" + std::to_string(color.rgb.red) + "," + std::to_string(color.rgb.green) + "," +
           std::to_string(color.rgb.blue) + ")";
}

std::string font(const ui::Font& font) {
    return quoted(font.name) + " " + num(font.points) + (font.bold ? " bold" : "");
}

template <typename Array>
std::string list(const Array& values) {
    std::string out;
    for (const auto& value : values) {
        out += (out.empty() ? "" : " ") + num(static_cast<double>(value));
    }
    return out;
}

// Characters a view asks a text box about: plain, a quote, a line break, the
// euro sign and an accented letter (both in Windows-1252), letters outside
// it, a control character and an emoji.
constexpr char32_t kProbeCharacters[] = {U'a',      U' ',      U'"',      U',',
                                         U'\n',     U'\t',     U'\x7f',   U'\u20ac',
                                         U'\u00e9', U'\u0141', U'\u0081', U'\U0001f600'};

// ---- What a view reads -------------------------------------------------------

using Lines = std::map<std::string, std::string>;

std::string describe(const ui::Control& control) {
    std::string out = "at " + num(control.left()) + "," + num(control.top()) + " size " +
                      num(control.width()) + "x" + num(control.height()) +
                      " visible=" + yes(control.visible());
    out += " in=" + (control.container() ? control.container()->name() : std::string("window"));
    if (!control.accessibleName().empty()) {
        out += " name=" + quoted(control.accessibleName());
    }
    if (!control.accessibleDescription().empty()) {
        out += " description=" + quoted(control.accessibleDescription());
    }
    if (auto* label = dynamic_cast<const ui::Label*>(&control)) {
        out += " label " + quoted(label->caption()) + " font=" + font(label->font()) +
               " autoSize=" + yes(label->autoSize()) +
               " align=" + std::to_string(static_cast<int>(label->alignment())) +
               " back=" + colour(label->backColor()) + " bordered=" + yes(label->bordered()) +
               " clickable=" + yes(static_cast<bool>(label->onClick));
        if (label->buddy() != nullptr) {
            out += " buddy=" + label->buddy()->name();
        }
    } else if (auto* button = dynamic_cast<const ui::CommandButton*>(&control)) {
        out += " button " + quoted(button->caption());
    } else if (auto* box = dynamic_cast<const ui::TextBox*>(&control)) {
        out += " textbox " + quoted(box->text()) +
               " set=" + std::to_string(static_cast<int>(box->characterSet())) + " accepts=";
        for (char32_t c : kProbeCharacters) {
            out += box->accepts(c) ? '+' : '-';
        }
    } else if (auto* option = dynamic_cast<const ui::OptionButton*>(&control)) {
        out += " option " + quoted(option->caption()) + " value=" + yes(option->value()) +
               " group=" + quoted(option->groupName());
    } else if (auto* bar = dynamic_cast<const ui::ScrollBar*>(&control)) {
        out += " scrollbar value=" + std::to_string(bar->value());
    } else if (auto* shape = dynamic_cast<const ui::Shape*>(&control)) {
        out += std::string(" shape ") +
               (shape->form() == ui::Shape::Form::Circle ? "circle" : "rounded") +
               " fill=" + colour(shape->fillColor());
        if (!shape->tag().empty()) {
            out += " tag=" + quoted(shape->tag());
        }
    } else if (auto* surface = dynamic_cast<const ui::Surface*>(&control)) {
        out += " surface scale " + num(surface->scaleWidth()) + "x" + num(surface->scaleHeight());
    }
    return out;
}

Lines describe(const ui::Window& window) {
    Lines lines;
    lines["window"] = quoted(window.caption()) + " title=" + quoted(window.programTitle()) +
                      " font=" + font(window.font()) + " client " + num(window.clientWidth()) +
                      "x" + num(window.clientHeight()) + " outer " + num(window.outerWidth()) +
                      "x" + num(window.outerHeight()) + " sizable=" + yes(window.sizable()) +
                      " ended=" + yes(window.ended()) +
                      " controls=" + std::to_string(window.controls().size());
    // The order of the controls is the drawing and the focus order.
    int index = 0;
    for (const ui::Control* control : window.controls()) {
        std::string order = std::to_string(index++);
        order.insert(0, order.size() < 3 ? 3 - order.size() : 0, '0');
        lines["control " + order + " " + control->name()] = describe(*control);
    }
    for (const ui::Timer* timer : window.timers()) {
        lines["timer " + timer->name()] =
            "interval=" + std::to_string(timer->interval()) + " enabled=" + yes(timer->enabled()) +
            " wake=" + std::to_string(static_cast<int>(timer->wake()));
    }
    return lines;
}

void addState(Lines& lines, const FrmTilebash& w) {
    auto field = [&](const char* name, std::string value) {
        lines[std::string("state ") + name] = value;
    };
    field("intFieldWidth", num(w.intFieldWidth));
    field("intFieldHeight", num(w.intFieldHeight));
    field("intFormWidth", num(w.intFormWidth));
    field("intFormHeight", num(w.intFormHeight));
    field("bytLevel", num(w.bytLevel));
    field("bytDifficulty", num(w.bytDifficulty));
    field("colours",
          num(w.bytBallColor) + " " + num(w.bytPaddleColor) + " " + num(w.bytBrickColor));
    field("intBrickX", list(w.intBrickX));
    field("intBrickY", list(w.intBrickY));
    field("ball", num(w.intBallX) + "," + num(w.intBallY) + " speed " + num(w.intBallSpeedX) + "," +
                      num(w.intBallSpeedY) + " size " + num(w.intBallSize));
    field("paddle", num(w.intPaddleX) + "," + num(w.intPaddleY) + " speed " +
                        num(w.intPaddleSpeed) + " size " + num(w.intPaddleWidth) + "x" +
                        num(w.intPaddleHeight));
    field("brickSize", num(w.intBrickWidth) + "x" + num(w.intBrickHeight));
    field("intScore", num(w.intScore));
    field("bytLives", num(w.bytLives));
    field("bytBricksHit", num(w.bytBricksHit));
    field("intFrameCount", num(w.intFrameCount));
    field("intGameTime", num(w.intGameTime));
    field("intHighScore", list(w.intHighScore));
    std::string names;
    for (const std::string& name : w.strHighScoreName) {
        names += (names.empty() ? "" : " ") + quoted(name);
    }
    field("strHighScoreName", names);
    field("bytNewHighScorePos", num(w.bytNewHighScorePos));
}

void addState(Lines& lines, const FrmTilebashLevelEditor& w) {
    lines["state bytLevel"] = num(w.bytLevel);
    lines["state intBrickX"] = list(w.intBrickX);
    lines["state intBrickY"] = list(w.intBrickY);
    lines["state lngDragOffset"] = num(w.lngDragOffsetX) + "," + num(w.lngDragOffsetY);
}

// ---- The dump ------------------------------------------------------------------

// Prints a window's lines: all of them, or those that changed since the
// last print.
class Printer {
  public:
    std::function<Lines()> read;

    void all() {
        last_ = read();
        for (const auto& [key, value] : last_) {
            std::cout << "  " << key << ": " << value << "\n";
        }
    }
    void changes() {
        Lines now = read();
        for (const auto& [key, value] : now) {
            auto before = last_.find(key);
            if (before == last_.end() || before->second != value) {
                std::cout << "  " << key << ": " << value << "\n";
            }
        }
        for (const auto& [key, value] : last_) {
            if (now.find(key) == now.end()) {
                std::cout << "  " << key << ": (gone)\n";
            }
        }
        last_ = std::move(now);
    }

  private:
    Lines last_;
};

Printer* printer = nullptr;

// Measures as a fixed-width font would (10 twips per character and point,
// bold 11; a line 195 twips at 8 points), and records every message box
// with what the window shows while it waits.
class DumpHost : public ui::Host {
  public:
    ui::TextExtent measureText(const std::string& text, const ui::Font& font) const override {
        double perCharacter = font.points * (font.bold ? 11.0 : 10.0);
        return {perCharacter * static_cast<double>(text.size()), std::round(font.points * 195 / 8)};
    }
    void showMessage(const std::string& text, const std::string& title) override {
        if (printer != nullptr) {
            std::cout << "  (shown behind the message box)\n";
            printer->changes();
        }
        std::cout << "  message box " << quoted(title) << ": " << quoted(text) << "\n";
    }
};

// One session: a window, its steps, a last full print.
template <typename WindowClass>
class Session {
  public:
    explicit Session(const std::string& name) {
        std::cout << "\n#### session " << name << "\n";
        printer_.read = [this] {
            Lines lines = describe(window);
            addState(lines, window);
            return lines;
        };
        printer = &printer_;
        std::cout << "== constructed\n";
        printer_.all();
    }
    ~Session() {
        std::cout << "== at the end\n";
        printer_.all();
        printer = nullptr;
    }

    // Runs `action` as the view would run an event, then prints what changed.
    void step(const std::string& what, const std::function<void()>& action) {
        std::cout << "== " << what << "\n";
        try {
            action();
        } catch (const std::exception& error) {
            std::cout << "  error: " << error.what() << "\n";
        }
        printer_.changes();
    }

    DumpHost host;
    WindowClass window{host};

  private:
    Printer printer_;
};

void printFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        std::cout << "  file " << name << ": (none)\n";
        return;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::cout << "  file " << name << " (" << bytes.size() << " bytes):\n";
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        std::cout << "    " << quoted(bytes.substr(start, end - start)) << "\n";
        start = end;
    }
}

void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder holding the shipped files, the working folder of a session.
void freshFolder(const fs::path& scratch, const fs::path& data) {
    fs::current_path(scratch.parent_path());
    fs::remove_all(scratch);
    fs::create_directory(scratch);
    for (const auto& entry : fs::directory_iterator(data)) {
        fs::copy_file(entry.path(), scratch / entry.path().filename());
    }
    fs::current_path(scratch);
}

// ---- The game --------------------------------------------------------------------

void load(ui::Window& window) {
    if (window.onLoad) {
        window.onLoad();
    }
}

void tick(FrmTilebash& w) {
    w.tmrFrameSpeed.onTimer();
}

// The keys a player presses before a frame to bring the paddle towards the
// ball's place plus `aside` (where on the paddle the ball should land, to
// steer it), or with `away` as far from the ball as it goes.
void steer(Session<FrmTilebash>& s, int aside, bool away) {
    FrmTilebash& w = s.window;
    int ballMiddle = w.intBallX + w.intBallSize / 2;
    int target = ballMiddle - w.intPaddleWidth / 2 + aside;
    if (away) {
        target = ballMiddle > w.intFieldWidth / 2 ? 0 : w.intFieldWidth;
    }
    int wanted = std::clamp((target - w.intPaddleX) / 40 * 40, -320, 320);
    for (int presses = (wanted - w.intPaddleSpeed) / 40; presses != 0;
         presses += presses > 0 ? -1 : 1) {
        s.step(presses > 0 ? "key Right" : "key Left",
               [&] { w.pixBackground.onKeyDown(presses > 0 ? ui::kKeyRight : ui::kKeyLeft, 0); });
    }
}

// Up to `ticks` frames, with a status second every 20, until the game ends
// or `until` holds; steered to land the ball on each fifth of the paddle in
// turn, or with `away` to lose every ball.
void play(
    Session<FrmTilebash>& s, int ticks, bool away,
    const std::function<bool()>& until = [] { return false; }) {
    constexpr int kAsides[] = {0, 450, -450, 250, -250, 650, -650};
    FrmTilebash& w = s.window;
    for (int i = 1; i <= ticks && w.tmrFrameSpeed.enabled() && !until(); ++i) {
        steer(s, kAsides[static_cast<std::size_t>(i / 97) % std::size(kAsides)], away);
        s.step("tick " + std::to_string(i), [&] { tick(w); });
        if (i % 20 == 0) {
            s.step("second", [&] { w.tmrTime.onTimer(); });
        }
    }
}

// A click where the view would let one happen: on a button that shows.
void click(Session<FrmTilebash>& s, ui::CommandButton& button) {
    if (!button.visible()) {
        s.step(button.name() + " is not shown", [] {});
        return;
    }
    s.step(button.caption() + " (" + button.name() + ")", [&] { button.onClick(); });
}

void gameSessions(const fs::path& scratch, const fs::path& data) {
    freshFolder(scratch, data);
    {
        Session<FrmTilebash> s("game: start-up, options, credits, table, three games, Quit");
        FrmTilebash& w = s.window;
        s.step("onLoad", [&] { load(w); });
        s.step("resized by the user to 9000x7000", [&] { w.resizedByUser(9000, 7000); });

        click(s, w.cmdOptions);
        for (int i = 0; i < 16; ++i) {
            s.step("ball swatch", [&] { w.lblBallColor.onClick(); });
        }
        for (int i = 0; i < 15; ++i) {
            s.step("paddle swatch", [&] { w.lblPaddleColor.onClick(); });
        }
        for (int i = 0; i < 15; ++i) {
            s.step("brick swatch", [&] { w.lblBrickColor.onClick(); });
        }
        for (auto* option : {&w.optEasy, &w.optMedium, &w.optHard, &w.optEasy}) {
            s.step("click " + option->name(), [&] { option->click(); });
        }
        for (int value : {2, 0, -4, 6, 7, 32767, 5, 1}) {
            s.step("start level scrolled to " + std::to_string(value),
                   [&] { w.vsbLevel.setValue(value); });
        }
        click(s, w.cmdOKOptions);
        click(s, w.cmdCredits);
        click(s, w.cmdOKCredits);
        click(s, w.cmdHighScore);
        click(s, w.cmdOKHighScore);

        // Game 1: Easy from level 1, played into level 2, ended by Escape;
        // the score enters the table, with a name the box cuts down.
        click(s, w.cmdNewGame);
        play(s, 40000, false, [&] { return w.bytLevel > 1; });
        play(s, 300, false);
        s.step("key Escape", [&] { w.pixBackground.onKeyDown(ui::kKeyEscape, 0); });
        s.step("key Escape again", [&] { w.pixBackground.onKeyDown(ui::kKeyEscape, 0); });
        click(s, w.cmdOKGameOver);
        s.step("name typed",
               [&] { w.txtNewHighScoreName.setText("Ada \"the 1st\"\n\xc5\x81\xe2\x82\xac, x"); });
        click(s, w.cmdOKNewHighScoreName);
        click(s, w.cmdOKHighScore);

        // Game 2: Hard, every ball lost; the score is too low for the table.
        click(s, w.cmdOptions);
        s.step("Hard", [&] { w.optHard.click(); });
        click(s, w.cmdOKOptions);
        click(s, w.cmdNewGame);
        play(s, 2000, true);
        s.step("key Escape after the end", [&] { w.pixBackground.onKeyDown(ui::kKeyEscape, 0); });
        click(s, w.cmdOKGameOver);

        // Game 3: Medium from level 5, played a while, then Escape.
        click(s, w.cmdOptions);
        s.step("Medium", [&] { w.optMedium.click(); });
        s.step("start level 5", [&] { w.vsbLevel.setValue(5); });
        click(s, w.cmdOKOptions);
        click(s, w.cmdNewGame);
        for (int i = 0; i < 10; ++i) {
            s.step("key Right with Shift",
                   [&] { w.pixBackground.onKeyDown(ui::kKeyRight, ui::kShiftMask); });
        }
        play(s, 1500, false);
        s.step("key Escape", [&] { w.pixBackground.onKeyDown(ui::kKeyEscape, 0); });
        click(s, w.cmdOKGameOver);
        if (w.txtNewHighScoreName.visible()) {
            s.step("name typed", [&] { w.txtNewHighScoreName.setText("Grace"); });
            click(s, w.cmdOKNewHighScoreName);
            click(s, w.cmdOKHighScore);
        }
        click(s, w.cmdQuit);
        printFile("options.wkp");
    }

    // Bad options files: the error at start-up, or where a colour is painted.
    const std::string shipped = readFile(data / "options.wkp");
    struct Bad {
        std::string what, bytes, then;
    };
    const std::vector<Bad> bad = {
        {"no options.wkp", "", ""},
        {"options.wkp cut after 9 lines", shipped.substr(0, shipped.find("Ball Keeper")), ""},
        {"options.wkp with a word for a score",
         " 10000 \r\nTilebash Team\r\n nine thousand \r\n" +
             shipped.substr(shipped.find("Tilebash\r\n")),
         ""},
        {"options.wkp with ball colour 16",
         shipped.substr(0, shipped.find(" 12 \r\n")) + " 16 \r\n 1 \r\n 3 \r\n 150 \r\n",
         "Options"},
    };
    for (const Bad& file : bad) {
        freshFolder(scratch, data);
        fs::remove("options.wkp");
        if (!file.bytes.empty()) {
            writeFile("options.wkp", file.bytes);
        }
        Session<FrmTilebash> s("game: " + file.what);
        s.step("onLoad", [&] { load(s.window); });
        if (file.then == "Options") {
            s.step("Options", [&] { s.window.cmdOptions.onClick(); });
        }
    }
}

// ---- The editor ------------------------------------------------------------------

void editorSessions(const fs::path& scratch, const fs::path& data) {
    freshFolder(scratch, data);
    Session<FrmTilebashLevelEditor> s("editor: entries, levels, drags, Save, Reset, Change Level");
    FrmTilebashLevelEditor& w = s.window;
    s.step("onLoad", [&] { load(w); });
    s.step("resized by the user to 9000x7000", [&] { w.resizedByUser(9000, 7000); });

    auto enter = [&](const std::string& text) {
        s.step("typed " + quoted(text), [&] { w.txtLevel.setText(text); });
        s.step("OK", [&] { w.cmdOK.onClick(); });
    };
    for (const char* entry : {"0", "6", "abc", "", " 2.5", "3\n"}) {
        enter(entry);
        if (w.cmdChageLevel.visible()) {
            s.step("Change Level", [&] { w.cmdChageLevel.onClick(); });
        }
    }
    enter("2");
    s.step("Change Level", [&] { w.cmdChageLevel.onClick(); });
    enter("5");
    s.step("Change Level", [&] { w.cmdChageLevel.onClick(); });
    enter("3");

    // Brick 0 of level 3 (Left 3192, Top 240) dragged by fractional steps,
    // a press beside every brick, and brick 1 dragged over brick 0, then
    // the two picked up together.
    auto drag = [&](double x, double y, std::vector<std::pair<double, double>> moves) {
        s.step("press at " + num(x) + "," + num(y),
               [&] { w.pixBackground.onMouseDown(ui::kLeftButton, 0, x, y); });
        for (const auto& to : moves) {
            s.step("move to " + num(to.first) + "," + num(to.second),
                   [&] { w.pixBackground.onMouseMove(ui::kLeftButton, 0, to.first, to.second); });
        }
        const auto at = moves.empty() ? std::pair{x, y} : moves.back();
        s.step("release",
               [&] { w.pixBackground.onMouseUp(ui::kLeftButton, 0, at.first, at.second); });
    };
    drag(3492.5, 300.25, {{3500.75, 310.5}, {3612.4, 402.6}, {3800.125, 455.875}});
    drag(10, 10, {{500, 500}});
    drag(3192, 240, {{3300, 300}});
    s.step("move without a press", [&] { w.pixBackground.onMouseMove(0, 0, 4000, 4000); });
    const double left1 = w.shpBrick[1].left() + 100, top1 = w.shpBrick[1].top() + 50;
    drag(left1, top1, {{w.shpBrick[0].left() + 150.5, w.shpBrick[0].top() + 70.5}});
    drag(w.shpBrick[0].left() + 120, w.shpBrick[0].top() + 60, {{1000.5, 5000.5}});
    s.step("Save", [&] { w.cmdSave.onClick(); });
    printFile("level3.wkl");

    drag(w.shpBrick[2].left() + 10, w.shpBrick[2].top() + 10, {{2000, 2000}});
    s.step("Reset", [&] { w.cmdReset.onClick(); });
    writeFile("level3.wkl", readFile("level1.wkl"));
    s.step("level3.wkl changed outside, then Reset", [&] { w.cmdReset.onClick(); });
    drag(w.shpBrick[4].left() + 10, w.shpBrick[4].top() + 10, {{40000.5, 100}});
    s.step("Save with a brick beyond 16 bits", [&] { w.cmdSave.onClick(); });
    printFile("level3.wkl");

    s.step("Change Level", [&] { w.cmdChageLevel.onClick(); });
    const std::string level4 = readFile("level4.wkl");
    writeFile("level4.wkl", level4.substr(0, level4.size() / 2));
    enter("4");
    fs::remove("level5.wkl");
    enter("5");
    s.step("Quit", [&] { w.cmdQuit.onClick(); });
    for (int level = 1; level <= 5; ++level) {
        printFile("level" + std::to_string(level) + ".wkl");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: model_dump DATA_DIR\n";
        return 2;
    }
    const fs::path data = fs::absolute(argv[1]);
    std::string pattern = (fs::temp_directory_path() / "model_dump.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("model_dump: mkdtemp");
        return 1;
    }
    const fs::path top = pattern;
    gameSessions(top / "work", data);
    editorSessions(top / "work", data);
    fs::current_path(data);
    fs::remove_all(top);
    return std::cout.flush() ? 0 : 1;
}
