// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The options-file reader on arbitrary files: it reads the 24 records or
// raises one of the reading errors. Options that read are written as Quit
// writes them and read again, and must come back the same.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "common/options_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    tilebash::fuzz::enterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tilebash;
    {
        std::ofstream file(kOptionsFileName, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    Options options;
    try {
        options = readOptionsFile(kOptionsFileName);
    } catch (const RuntimeError& error) {
        fuzz::expectReadingError(error);
        return 0;
    }

    writeOptionsFile(kOptionsFileName, options);
    if (readOptionsFile(kOptionsFileName) != options) {
        fuzz::finding("options written at Quit do not read back");
    }
    return 0;
}
