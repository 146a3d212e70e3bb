#!/usr/bin/env bash
# package_test.sh BUILD: the Debian package of the build, made with cpack: its contents, its
# dependencies and lintian's verdict (scripts/setup.sh installs dpkg-dev and lintian).
set -euo pipefail

build="$(cd "${1:?usage: package_test.sh BUILD}" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/klu-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; exit 1; }
deb="$(ls "$work"/kluwin_*.deb)"

dpkg-deb -c "$deb" >"$work/contents"
for file in usr/bin/kluwin usr/bin/klu usr/share/kluwin/RORED.KLU usr/share/kluwin/demo.klu \
    usr/share/applications/kluwin.desktop usr/share/mime/packages/kluwin.xml \
    usr/share/man/man1/kluwin.1.gz usr/share/doc/kluwin/copyright \
    usr/share/doc/kluwin/changelog.gz usr/share/icons/hicolor/48x48/apps/kluwin.png; do
    grep -q " \./$file\$" "$work/contents" || fail "$file is not in the package"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libpng16-16 libsdl2-2.0-0 libzip4; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
recommends="$(dpkg-deb -f "$deb" Recommends)"
[[ "$recommends" == *adwaita-icon-theme* ]] || fail "Recommends lacks an icon theme: $recommends"

# Tags of severity error or warning fail the test; lintian's own notes on running as root do not.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"

((failures == 0)) || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package: $(basename "$deb") checked"
