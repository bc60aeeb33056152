#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package and checks what it declares and holds: its
# dependencies on Qt and the font, and menu entries that name the packaged
# paths rather than the folder the package was staged in.
#
#   debian_package.sh BUILD_DIR
set -euo pipefail
build=$1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
package=("$work"/tilebash_*.deb)
[[ -f ${package[0]} ]] || fail "no package was made"

depends=$(dpkg-deb -f "${package[0]}" Depends)
for needed in fonts-liberation2 libqt6widgets6 libqt6gui6 libc6; do
    [[ ", $depends" == *", $needed"[\ ,]* || ", $depends" == *", $needed" ]] ||
        fail "the package does not depend on $needed: $depends"
done

dpkg-deb -x "${package[0]}" "$work/root"
for entry in "$work"/root/usr/share/applications/*.desktop; do
    for path in $(sed -n 's/^Exec=//p' "$entry"); do
        [[ $path == /usr/* && -e $work/root$path ]] || fail "$(basename "$entry") runs $path, not in the package"
    done
done
[[ -x $work/root/usr/bin/tilebash && -x $work/root/usr/bin/tilebash-editor ]] || fail "the programs are not in /usr/bin"
echo "PASS: $(basename "${package[0]}") depends on $depends"
