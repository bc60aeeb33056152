// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Commits one fault of the kind named on the command line, then says it
// survived. Under the sanitizers of the test build it must never get to say so.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    // Volatile, so that the compiler cannot see the fault coming.
    volatile int big = std::numeric_limits<int>::max();
    volatile double huge = 1e300;
    volatile std::size_t index = 4;
    long long result = 0;
    if (std::strcmp(argv[1], "signed_overflow") == 0) {
        result = big + argc;
    } else if (std::strcmp(argv[1], "float_to_integer") == 0) {
        result = static_cast<long long>(huge);
    } else if (std::strcmp(argv[1], "heap_overflow") == 0) {
        auto bytes = std::make_unique<char[]>(4);
        result = bytes[index];
    } else {
        return 2;
    }
    std::printf("survived: %lld\n", result);
    return 0;
}
