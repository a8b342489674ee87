#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs the build into a scratch DESTDIR under a prefix other than the configured one and
# checks what a user and a packager see there. Usage: install-tree.sh BUILD_DIR
set -uo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=/opt/lumivex-test
root=$scratch$prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# No display of any kind: --help, --version and the command-line tool must not need one.
headless() { (cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANGUAGE "$@"); }
expect() { # expect WHAT OUTPUT NEEDLE...
    local what=$1 out=$2; shift 2
    for needle in "$@"; do
        grep -qF -- "$needle" <<<"$out" || fail "$what: no \"$needle\" in: $out"
    done
}

DESTDIR=$scratch cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for f in bin/lumivex bin/lumivex-cli share/lumivex/Lumivex_zh.qm share/lumivex/Lumivex_en.qm share/lumivex/meterno.xls \
         share/applications/io.github.lumivex.Lumivex.desktop share/metainfo/io.github.lumivex.Lumivex.metainfo.xml \
         share/icons/hicolor/scalable/apps/io.github.lumivex.Lumivex.svg share/man/man1/lumivex.1 share/man/man1/lumivex-cli.1 \
         share/doc/Lumivex/LICENSE lib/udev/rules.d/70-lumivex.rules; do
    [ -e "$root/$f" ] || fail "not installed: $f"
done
for size in 48 128 256; do
    [ -e "$root/share/icons/hicolor/${size}x${size}/apps/io.github.lumivex.Lumivex.png" ] || fail "no ${size}px icon"
done

out=$(headless "$root/bin/lumivex" --help 2>&1) || fail "lumivex --help exits with $?"
expect "lumivex --help" "$out" "--simulate" "--version"
out=$(headless "$root/bin/lumivex" --version 2>&1) || fail "lumivex --version exits with $?"
expect "lumivex --version" "$out" "Lumivex 1.4"
out=$(headless "$root/bin/lumivex-cli" --help 2>&1) || fail "lumivex-cli --help exits with $?"
expect "lumivex-cli --help" "$out" "Usage: lumivex-cli"
# Started from /, in Chinese: the translation and the meter table come from the installed tree.
out=$(headless env LANG=zh_CN.UTF-8 "$root/bin/lumivex-cli" --version 2>&1) || fail "lumivex-cli --version exits with $?"
expect "lumivex-cli --version" "$out" "lumivex-cli 1.4" "翻译：$root/share/lumivex/Lumivex_zh.qm" \
    "型号表：$root/share/lumivex/meterno.xls，"

appstreamcli validate --no-net "$root/share/metainfo/io.github.lumivex.Lumivex.metainfo.xml" >/dev/null \
    || fail "appstreamcli validate"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/io.github.lumivex.Lumivex.desktop" || fail "desktop-file-validate"
fi
[ "$failures" -eq 0 ] && echo "installed tree: all checks passed"
exit $((failures > 0))
