#pragma once

#include <string>

namespace tilebash::ui {

struct Font {
    std::string name = "MS Sans Serif";
    double points = 8;
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace tilebash::ui
