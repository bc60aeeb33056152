// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The level loader on arbitrary files: it loads 70 values or raises one of
// the reading errors and then leaves the bricks where they were; a level that
// loads is saved and loaded again unchanged.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "common/level_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    tilebash::fuzz::enterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tilebash;
    const char* const name = "level3.wkl";
    {
        std::ofstream file(name, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    Level level;
    try {
        level = readLevelFile(name);
    } catch (const RuntimeError& error) {
        fuzz::expectReadingError(error);
        return 0;
    }

    writeLevelFile(name, level);
    if (readLevelFile(name) != level) {
        fuzz::finding("a saved level does not load back");
    }
    return 0;
}
