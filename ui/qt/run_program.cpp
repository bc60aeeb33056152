#include "ui/qt/run_program.h"

#include <exception>
#include <string>

#include <QApplication>

#include "ui/qt/fonts.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/window_view.h"

namespace tilebash::ui::qt {

int runProgram(int argc, char** argv,
               const std::function<std::unique_ptr<ui::Window>(ui::Host&)>& makeWindow) {
    QApplication application(argc, argv);
    // The view ends the program itself, with the status the model earned.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    QtHost host;
    std::unique_ptr<ui::Window> window;
    try {
        window = makeWindow(host);
    } catch (const std::exception& error) {
        host.reportError(error.what(), {});
        return 1;
    } catch (...) {
        host.reportError("Unknown error", {});
        return 1;
    }
    if (window == nullptr) {
        return 1;
    }

    WindowView view(*window, host);
    view.load();
    if (view.finished()) {
        return view.exitStatus();
    }
    view.show();
    return QApplication::exec();
}

}  // namespace tilebash::ui::qt
