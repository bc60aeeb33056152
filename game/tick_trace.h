// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/frm_tilebash.h"

namespace tilebash {

// Makes every frame tick write "tick <microseconds of the monotonic clock>"
// to standard error, and every once-a-second update "status <microseconds>
// <time caption>|<frame-rate caption>", so that a script can measure the real
// frame clock (bench/frame_clock). Only a window that is asked to trace is
// wrapped, so normal play costs nothing extra.
void traceTicks(FrmTilebash& window);

}  // namespace tilebash
