// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cmath>

#include <QRect>
#include <QRectF>

// The one place where the model's twips meet Qt's logical pixels. Drawing in
// logical pixels lets Qt's device pixel ratio keep everything crisp on a
// high-DPI screen.
namespace tilebash::ui::qt {

inline constexpr double kTwipsPerPixel = 15;

inline double toPixels(double twips) {
    return twips / kTwipsPerPixel;
}

inline double toTwips(double pixels) {
    return pixels * kTwipsPerPixel;
}

// Widgets sit on whole pixels. Position and size are rounded separately so a
// control keeps its pixel size wherever it moves. Far-off values (a brick
// dragged miles away) are clamped to a range that Qt's integers can hold.
inline int toWholePixels(double twips) {
    double pixels = std::clamp(toPixels(twips), -1e7, 1e7);
    return static_cast<int>(std::lround(pixels));
}

inline QRect toPixelRect(double left, double top, double width, double height) {
    return {toWholePixels(left), toWholePixels(top), toWholePixels(width), toWholePixels(height)};
}

// Painted shapes keep their fractions; antialiasing draws them in between.
inline QRectF toPixelRectF(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

}  // namespace tilebash::ui::qt
