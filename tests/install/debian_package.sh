#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian packages twice, in different folders, with a different
# umask and time zone, and checks that both builds are byte for byte the same;
# that lintian finds no error and no warning; and what the package declares
# and holds: computed and versioned dependencies on Qt and the C library, the
# font, Qt's Wayland plugin recommended, the programs where Debian keeps games,
# compressed manual pages, the copyright file and the changelog, and menu
# entries that name the packaged paths rather than the folder the package was
# staged in.
#
#   debian_package.sh SOURCE_DIR
set -euo pipefail
source_dir=$1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$source_dir/scripts/debian-package" "$work/first" >/dev/null
(umask 0002 && TZ=Pacific/Kiritimati "$source_dir/scripts/debian-package" "$work/second" >/dev/null)
package=$work/first/tilebash_1.0_amd64.deb
[[ -f $package ]] || fail "no package was made: $(ls "$work/first")"
for built in "$work"/first/*.deb; do
    other=$work/second/$(basename "$built")
    [[ -f $other ]] || fail "the second build made no $(basename "$built")"
    cmp "$built" "$other" >&2 || fail "two builds of $(basename "$built") differ"
done
[[ $(ls "$work/first") == "$(ls "$work/second")" ]] || fail "the builds made different packages"

# Info and pedantic tags are shown, and do not fail the test.
lintian --pedantic --display-info --fail-on error,warning "$work"/first/*.deb 2>&1 ||
    fail "lintian finds errors or warnings"

field() { dpkg-deb -f "$package" "$1"; }
[[ $(field Section) == games ]] || fail "the package is in section $(field Section)"
depends=$(field Depends)
for needed in 'libqt6widgets6 (>= ' 'libqt6gui6 (>= ' 'libc6 (>= ' libxcb1 libwayland-client0 fonts-liberation2; do
    [[ ", $depends," == *", $needed"* ]] || fail "the package does not depend on $needed: $depends"
done
[[ $(field Recommends) == qt6-wayland ]] || fail "the package recommends $(field Recommends)"

root=$work/root
dpkg-deb -x "$package" "$root"
[[ ! -e $root/usr/bin ]] || fail "the package has a /usr/bin: $(ls "$root/usr/bin")"
for program in tilebash tilebash-editor; do
    [[ -x $root/usr/games/$program ]] || fail "$program is not in /usr/games"
    gzip -t "$root/usr/share/man/man6/$program.6.gz" 2>/dev/null || fail "no compressed manual page for $program"
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/games/$program" --version) || fail "$program --version failed"
    [[ $out == "$program $(field Version)" ]] || fail "$program --version says '$out'"
done
[[ $(head -n1 "$root/usr/share/doc/tilebash/copyright") == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
    fail "the copyright file is not machine-readable"
zgrep -q "^tilebash ($(field Version))" "$root/usr/share/doc/tilebash/changelog.gz" 2>/dev/null ||
    fail "the changelog has no entry for $(field Version)"
for entry in "$root"/usr/share/applications/*.desktop; do
    read -r -a exec_words <<<"$(sed -n 's/^Exec=//p' "$entry")"
    for path in "${exec_words[@]}"; do
        [[ $path == /usr/* && -e $root$path ]] || fail "$(basename "$entry") runs $path, not in the package"
    done
    [[ ${exec_words[2]} == /usr/games/* ]] || fail "$(basename "$entry") starts ${exec_words[2]}"
done
echo "PASS: two identical builds; depends on $depends"
(cd "$work/first" && sha256sum -- *.deb)
