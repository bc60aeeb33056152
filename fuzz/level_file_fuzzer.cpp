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

    BrickCoordinates before{};
    before.fill(-12345);
    BrickCoordinates intBrickX = before;
    BrickCoordinates intBrickY = before;
    try {
        loadLevelFile(name, intBrickX, intBrickY);
    } catch (const RuntimeError& error) {
        fuzz::expectReadingError(error);
        if (intBrickX != before || intBrickY != before) {
            fuzz::finding("a failed load moved bricks");
        }
        return 0;
    }

    saveLevelFile(name, intBrickX, intBrickY);
    BrickCoordinates againX{};
    BrickCoordinates againY{};
    loadLevelFile(name, againX, againY);
    if (againX != intBrickX || againY != intBrickY) {
        fuzz::finding("a saved level does not load back");
    }
    return 0;
}
