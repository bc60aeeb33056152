// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/command_line.h"

#include <string>

namespace tilebash {

namespace {

void writeUsage(std::ostream& stream, const ProgramInfo& program) {
    stream << "Usage: " << program.name << " [--help | --version]\n";
}

// A reader gone away (a closed pipe, a full disk) must not look like a
// successful answer.
int finish(std::ostream& out) {
    out.flush();
    return out ? 0 : 1;
}

}  // namespace

std::optional<int> handleCommandLine(int argc, const char* const* argv, const ProgramInfo& program,
                                     std::ostream& out, std::ostream& err) {
    if (argc <= 1) {
        return std::nullopt;
    }
    const std::string_view argument = argv[1];
    if (argc == 2 && argument == "--version") {
        out << program.name << ' ' << TILEBASH_VERSION << '\n';
        return finish(out);
    }
    if (argc == 2 && argument == "--help") {
        writeUsage(out, program);
        out << program.summary << '\n'
            << "It keeps its files in the folder it is started in.\n"
            << "  --help     show this help and exit\n"
            << "  --version  show the version and exit\n";
        return finish(out);
    }
    writeUsage(err, program);
    err.flush();
    return 2;
}

}  // namespace tilebash
