#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tilebash team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs into a temporary prefix and checks the install tree: the programs,
# the shipped files, the launcher, the manual pages; menu entries and metainfo
# that their validators accept and whose names and paths all exist; and the
# programs answering --version and --help without a display.
#
#   install_tree.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$1
data=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for program in tilebash tilebash-editor; do
    [[ -x $prefix/bin/$program ]] || fail "bin/$program is not installed"
    [[ -s $prefix/share/man/man6/$program.6 ]] || fail "no manual page for $program"
done
[[ -x $prefix/libexec/tilebash/launch ]] || fail "the launcher is not installed"
shipped=$(cd "$prefix/share/tilebash" && ls)
[[ $shipped == "$(printf '%s\n' level1.wkl level2.wkl level3.wkl level4.wkl level5.wkl options.wkp)" ]] ||
    fail "share/tilebash holds: $shipped"
for file in "$prefix"/share/tilebash/*; do
    cmp -s "$file" "$data/$(basename "$file")" || fail "$file differs from the repository's"
done

# key FILE KEY: the value of KEY in a menu entry.
key() { sed -n "s/^$2=//p" "$1"; }

entries=("$prefix"/share/applications/*.desktop)
[[ ${#entries[@]} -eq 2 ]] || fail "expected two menu entries, found ${entries[*]}"
for entry in "${entries[@]}"; do
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
    icon=$(key "$entry" Icon)
    grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" 2>/dev/null ||
        fail "$entry: no SVG icon named $icon"
    read -r -a exec_words <<<"$(key "$entry" Exec)"
    [[ ${#exec_words[@]} -eq 3 ]] || fail "$entry: Exec is not LAUNCHER SHIPPED PROGRAM"
    [[ ${exec_words[0]} == "$prefix/libexec/tilebash/launch" ]] || fail "$entry: launcher ${exec_words[0]}"
    [[ ${exec_words[1]} == "$prefix/share/tilebash" ]] || fail "$entry: shipped files ${exec_words[1]}"
    [[ ${exec_words[2]} == "$prefix/bin/"* && -x ${exec_words[2]} ]] || fail "$entry: program ${exec_words[2]}"
done
grep -qx 'Categories=Game;ArcadeGame;' "$prefix/share/applications/io.github.tilebash.Tilebash.desktop" ||
    fail "the game's entry is not in Game;ArcadeGame;"
grep -qx 'Categories=Game;Development;' "$prefix/share/applications/io.github.tilebash.TilebashEditor.desktop" ||
    fail "the editor's entry is not in Game;Development;"

metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
[[ ${#metainfo[@]} -eq 1 ]] || fail "expected one metainfo file, found ${metainfo[*]}"
# Pedantic hints are shown but pass; any other issue fails.
appstreamcli validate --pedantic --strict --no-net "${metainfo[0]}" || fail "appstreamcli rejects ${metainfo[0]}"
# tags TAG: the texts of all <TAG> elements of the metainfo, one a line.
tags() { sed -n "s|.*<$1[^>]*>\\([^<]*\\)</$1>.*|\\1|p" "${metainfo[0]}"; }
[[ "$(tags id).metainfo.xml" == "$(basename "${metainfo[0]}")" ]] || fail "the metainfo is not named for its id"
[[ $(tags launchable | wc -l) -eq 2 ]] || fail "the metainfo should launch both programs"
for launchable in $(tags launchable); do
    [[ -f $prefix/share/applications/$launchable ]] || fail "the metainfo launches $launchable, not installed"
done
for binary in $(tags binary); do
    [[ -x $prefix/bin/$binary ]] || fail "the metainfo provides $binary, not installed"
done
# What software centres show beside the description.
[[ $(tags project_license) == GPL-3.0-or-later ]] || fail "the metainfo's licence is '$(tags project_license)'"
grep -q '<content_rating type="oars-1\.[01]"' "${metainfo[0]}" || fail "the metainfo has no OARS content rating"

# Without any display: if a program set up its toolkit first, it would fail here.
newest_release=$(sed -n 's|.*<release version="\([^"]*\)" date="[0-9-]\{10\}".*|\1|p' "${metainfo[0]}" | head -n1)
for program in tilebash tilebash-editor; do
    run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/$program" "$@"; }
    out=$(run --version 2>"$prefix/err") || fail "$program --version failed"
    [[ $out == "$program $newest_release" && ! -s $prefix/err ]] ||
        fail "$program --version says '$out', the metainfo's newest release is $newest_release"
    out=$(run --help 2>"$prefix/err") || fail "$program --help failed"
    [[ $out == "Usage: $program [options]"$'\n'* && ! -s $prefix/err ]] || fail "$program --help says: $out"
    # Qt takes its own options, and needs no display for -platform offscreen.
    status=0
    out=$(run -platform offscreen --fullscreen 2>"$prefix/err") || status=$?
    [[ $status -eq 2 && -z $out ]] || fail "$program --fullscreen: status $status, output '$out'"
    grep -qx "Usage: $program \[options\]" "$prefix/err" || fail "$program --fullscreen: $(cat "$prefix/err")"
done
echo "PASS: install tree, menu entries, metainfo and the programs' options"
