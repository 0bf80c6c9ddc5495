#!/usr/bin/env bash
# Installs a configured and built folder into a staging folder and checks what lands there,
# then makes the Debian package, lists it and runs the tool it holds (unpacked, not installed).
#   scripts/check-package.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cmake --install "$build" --prefix "$stage/usr" >/dev/null
expected=(usr/bin/qtb usr/bin/qtb-solve usr/libexec/qtb/qtb-model-box usr/share/applications/qtb.desktop usr/share/doc/qtb/copyright
    usr/share/doc/qtb/README.md usr/share/doc/qtb/examples/diet.qtb usr/share/doc/qtb/examples/models/diet.lp
    usr/share/man/man1/qtb-solve.1 usr/share/man/man1/qtb.1 usr/share/bash-completion/completions/qtb-solve)
for size in 16 32 48 64; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/qtb.png")
done
for file in "${expected[@]}"; do
    [[ -s $stage/$file ]] || { echo "not installed: $file" >&2; exit 1; }
done
desktop-file-validate "$stage/usr/share/applications/qtb.desktop"
# The manual pages are found by man through the staged MANPATH and render without warnings.
for page in qtb-solve qtb; do
    warnings=$(LC_ALL=C.UTF-8 MANPATH="$stage/usr/share/man" MANWIDTH=80 man --warnings "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || { echo "man $page: $warnings" >&2; exit 1; }
    LC_ALL=C.UTF-8 MANPATH="$stage/usr/share/man" man "$page" | grep -q "${page^^}" ||
        { echo "man $page: not found" >&2; exit 1; }
done
echo "install: ${#expected[@]} files in place, desktop entry valid"

rm -f "$build"/qtb_*.deb
cmake --build "$build" --target package >/dev/null
debs=("$build"/qtb_*.deb)
deb=${debs[0]}
dpkg-deb -c "$deb"
dpkg-deb -f "$deb" Package Version Section Depends
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "the package does not depend on Qt" >&2; exit 1; }
dpkg-deb -x "$deb" "$stage/unpacked"
"$stage/unpacked/usr/bin/qtb-solve" --help >/dev/null
# The unpacked qtb-solve finds its model box in ../libexec/qtb.
"$stage/unpacked/usr/bin/qtb-solve" --tables none examples/models/diet.lp >/dev/null
echo "package: $deb lists, unpacks and its qtb-solve runs, reading a model through its box"
