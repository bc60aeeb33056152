// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/run_program.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>  // not <iostream>, whose streams cost every start 0.3 MB
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QPointer>
#include <QSocketNotifier>
#include <QStyle>

#include "ui/qt/own_frame.h"
#include "ui/qt/window_view.h"

namespace tilebash::ui::qt {

namespace {

// Answers --help or --version (or Qt's -h, -v, --help-all) without a display,
// and exits; returns where there is no question.
void answerQuestion(int argc, char** argv, const ProgramInfo& program) {
    QCoreApplication::setApplicationName(QString::fromUtf8(program.name));
    if (argc < 2) {
        return;  // no question, and the millisecond of parsing saved
    }
    std::string name(program.name);  // "Usage: tilebash", from wherever it was started
    std::vector<char*> arguments{name.data()};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = static_cast<int>(arguments.size());
    QCoreApplication::setApplicationVersion(QStringLiteral(TILEBASH_VERSION));
    const QCoreApplication application(count, arguments.data());
    QCommandLineParser parser;
    // Where the files are is what a player asks first of a program that
    // takes no arguments.
    parser.setApplicationDescription(
        QString::fromUtf8(program.summary) +
        QStringLiteral("\nIt keeps its files in the folder it is started in."));
    // Qt's -reverse is one option, not -r -e -v ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());  // Qt's own options are unknown here
    for (const QString& question :
         {QStringLiteral("version"), QStringLiteral("help"), QStringLiteral("help-all")}) {
        if (parser.isSet(question)) {
            // An answer that could not be written (a full disk) is no success.
            std::atexit([] {
                if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
                    std::_Exit(1);
                }
            });
            parser.process({QCoreApplication::applicationName(), QStringLiteral("--") + question});
        }
    }
}

// Qt's notes while the QApplication starts are held: where it finds no
// display the program says so in one line, rather than in Qt's page of notes
// and an abort. Otherwise they are passed on as they came, once it started.
QString heldNotes;
std::string_view startingProgram;

void holdStartNote(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    heldNotes += qFormatLogMessage(type, context, text) + u'\n';
    if (type != QtFatalMsg) {
        return;
    }
    // Qt notes why each platform it tried could not start, then that it could not.
    const bool wayland = heldNotes.contains(u"Failed to create wl_display");
    const bool x11 = heldNotes.contains(u"could not connect to display \n");
    const int displays = (wayland ? 1 : 0) + (x11 ? 1 : 0);
    if (displays == 0 || displays != heldNotes.count(u"Could not load the Qt platform plugin")) {
        // No such platform, a display named but not reached: Qt's own words and abort.
        std::fputs(heldNotes.toStdString().c_str(), stderr);
        return;
    }
    const std::string name(startingProgram);
    std::fprintf(stderr,
                 "%s: no display to open the window on (%s%s%s); to run without one: %s "
                 "-platform offscreen\n",
                 name.c_str(), wayland ? "no Wayland compositor is running" : "",
                 wayland && x11 ? " and " : "", x11 ? "DISPLAY is not set" : "", name.c_str());
    std::_Exit(1);
}

// Written to by the signal handler, read in the event loop.
int terminationPipe[2] = {-1, -1};

extern "C" void noteTermination(int /*signal*/) {
    const int savedErrno = errno;  // the interrupted code may be about to read it
    // Where the write fails, the pipe holds a note already.
    [[maybe_unused]] const ssize_t written = ::write(terminationPipe[1], "", 1);
    errno = savedErrno;
}

// A request to end (the session ending, a plain `kill`) closes `window` as
// its close button does: status 0, no handler runs, nothing is saved that
// Quit would save. A message box open then is closed first: a fatal error's
// box, or the launcher's, then ends the program with status 1.
void closeOnTermination(const QPointer<QWidget>& window) {
    if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [&window] {
        // Read empty, or the note would wake every pass of the event loop.
        char notes[64];
        while (::read(terminationPipe[0], notes, sizeof notes) > 0) {
        }
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            box->reject();
        }
        if (window != nullptr) {
            window->close();
        }
    });
    // No SA_RESTART: a call that blocks returns (EINTR) rather than holding it off.
    struct sigaction action {};
    action.sa_handler = noteTermination;
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

void setUpApplication(const ProgramInfo& program) {
    // The view ends the program itself, with the status the model earned.
    QApplication::setQuitOnLastWindowClosed(false);
    // "MS Sans Serif" is not there on Linux; Liberation Sans has Arial's
    // metrics, so the captions fit the boxes they were laid out for.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    // The shapes' fixed colours (a navy paddle, black outlines) would all but
    // vanish into a dark theme's playfield: the style's own palette is light.
    QApplication::setPalette(QApplication::style()->standardPalette());
    const QString name = QString::fromUtf8(program.desktopFileName);
    QGuiApplication::setDesktopFileName(name);
    // Wayland shows no window icon: the compositor takes the menu entry's by
    // the app id. Elsewhere the icon is the one built in, drawn ahead at the
    // sizes of an X11 window icon: an icon theme lookup and the SVG renderer
    // would cost a start ~10 ms and 1 MB.
    if (!name.isEmpty() && !QGuiApplication::platformName().startsWith(u"wayland")) {
        QIcon icon;
        for (const int size : {16, 32, 64, 128}) {
            // Read as PNG and nothing else: Qt would otherwise load every
            // image plug-in (the SVG one with its library) to ask if one
            // reads the file better than its own reader.
            QImageReader reader(QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            icon.addPixmap(QPixmap::fromImage(reader.read()));
        }
        QApplication::setWindowIcon(icon);
    }
}

int runProgram(int argc, char** argv, const ProgramInfo& program, const MakeWindow& makeWindow) {
    answerQuestion(argc, argv, program);
    // On X11 Qt hands every repaint over in shared memory and waits for the
    // server to free it: five wake-ups a frame where plain requests need one
    // for the game's few small rectangles. Whoever sets it keeps the choice.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    QPointer<QWidget> closedOnTermination;
    startingProgram = program.name;
    qInstallMessageHandler(holdStartNote);
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    qInstallMessageHandler(nullptr);
    std::fputs(std::exchange(heldNotes, {}).toStdString().c_str(), stderr);
    if (argc > 1) {
        const std::string name(program.name);
        std::fprintf(stderr, "%s: Unknown argument '%s'.\nUsage: %s [options]\n", name.c_str(),
                     argv[1], name.c_str());
        return 2;
    }
    setUpApplication(program);
    closeOnTermination(closedOnTermination);  // the model's constructor may show a box

    // The model outlives the view: a widget that goes may still ask its
    // control (a text box its validator).
    std::unique_ptr<ui::Window> window;
    WindowView view;
    try {
        window = makeWindow(view);
    } catch (const std::exception& error) {
        view.reportError(error.what(), {});
        return 1;
    } catch (...) {
        view.reportError("Unknown error", {});
        return 1;
    }
    // The launcher could not prepare the player's folder: a player who
    // started the program from the menu sees its message here.
    if (const char* failure = std::getenv("TILEBASH_LAUNCH_ERROR")) {
        view.showMessage(failure, window->programTitle());
        return 1;
    }

    view.build(*window);
    const std::unique_ptr<OwnFrame> frame = ownFrameWhereNeeded(view);
    closedOnTermination = &view;
    view.load();
    if (view.finished()) {
        return view.exitStatus();
    }
    view.window()->show();
    return QApplication::exec();
}

}  // namespace tilebash::ui::qt
