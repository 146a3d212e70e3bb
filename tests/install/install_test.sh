#!/usr/bin/env bash
# install_test.sh BUILD: installs the build into a temporary prefix and checks the tree a desktop
# needs with the desktop's own tools, which scripts/setup.sh installs.
set -euo pipefail

build="$(cd "${1:?usage: install_test.sh BUILD}" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/klu-install.XXXXXX")"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli update-mime-database gio groff; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
done

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

for program in kluwin klu; do
    [[ -x "$prefix/bin/$program" ]] || fail "bin/$program is not installed"
done
for file in share/kluwin/RORED.KLU share/kluwin/demo.klu \
    share/applications/kluwin.desktop share/mime/packages/kluwin.xml \
    share/metainfo/org.example.kluwin.metainfo.xml \
    share/man/man1/kluwin.1.gz share/man/man1/klu.1.gz; do
    [[ -s "$prefix/$file" ]] || fail "$file is not installed"
done

# Icons: PNG files of the size their folder names, for the program and for hint files.
png_size() {  # the width and height in a PNG's header, or nothing for another file
    local header
    header="$(od -An -tx1 -j0 -N24 "$1" | tr -d ' \n')"
    [[ "${header:0:16}" == 89504e470d0a1a0a ]] || return 0
    echo "$((16#${header:32:8}))x$((16#${header:40:8}))"
}
for size in 16 22 24 32 48 64 128 256; do
    for icon in apps/kluwin.png mimetypes/application-x-klu-hints.png; do
        path="$prefix/share/icons/hicolor/${size}x${size}/$icon"
        if [[ ! -f "$path" ]]; then
            fail "icon ${size}x${size}/$icon is not installed"
        elif [[ "$(png_size "$path")" != "${size}x${size}" ]]; then
            fail "icon ${size}x${size}/$icon is not a ${size}x${size} PNG: $(png_size "$path")"
        fi
    done
done

# The launcher and the AppStream data, each with its validator (warnings count as failures).
if ! desktop-file-validate "$prefix/share/applications/kluwin.desktop" >"$work/desktop.log" 2>&1 ||
    [[ -s "$work/desktop.log" ]]; then
    fail "desktop-file-validate: $(cat "$work/desktop.log")"
fi
desktop_key() { sed -n "s/^$1=//p" "$prefix/share/applications/kluwin.desktop"; }
[[ "$(desktop_key Exec)" == "kluwin %f" ]] || fail "launcher Exec is '$(desktop_key Exec)'"
[[ "$(desktop_key Icon)" == "kluwin" ]] || fail "launcher Icon is '$(desktop_key Icon)'"
[[ "$(desktop_key MimeType)" == "application/x-klu-hints;" ]] ||
    fail "launcher MimeType is '$(desktop_key MimeType)'"
if ! appstreamcli validate --no-net --pedantic \
    "$prefix/share/metainfo/org.example.kluwin.metainfo.xml" >"$work/appstream.log" 2>&1; then
    fail "appstreamcli validate: $(cat "$work/appstream.log")"
fi

# The manual pages format without a warning.
for page in kluwin klu; do
    if ! gzip -dc "$prefix/share/man/man1/$page.1.gz" | groff -man -ww -z >"$work/man.log" 2>&1 ||
        [[ -s "$work/man.log" ]]; then
        fail "man page $page.1: $(cat "$work/man.log")"
    fi
done

# Both programs answer --help with their usage and status 0, the reader without a display.
for program in kluwin klu; do
    if ! env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        "$prefix/bin/$program" --help >"$work/help.txt" 2>"$work/help.err"; then
        fail "$program --help failed: $(cat "$work/help.err")"
    fi
    grep -q "^usage: $program " "$work/help.txt" || fail "$program --help printed no usage"
done

# The installed help file loads as the reader loads it.
if [[ "$("$prefix/bin/klu" check "$prefix/share/kluwin/RORED.KLU" 2>&1)" != "0 LoadOk" ]]; then
    fail "the installed help file does not load"
fi

# The MIME type: the database of the prefix is built, and GIO, seeing it beside the system's
# own, says what files are.
export XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_DATA_HOME="$work/no-home"
update-mime-database "$prefix/share/mime" >"$work/mime.log" 2>&1 ||
    fail "update-mime-database: $(cat "$work/mime.log")"
expect_type() {  # expect_type FILE TYPE: FILE is of TYPE; with "!TYPE", of any other type
    local found
    found="$(gio info -a standard::content-type "$1" </dev/null |
        sed -n 's/^ *standard::content-type: //p')"
    if [[ "$2" == !* ]]; then
        [[ -n "$found" && "$found" != "${2#!}" ]] || fail "$(basename "$1") taken for '$found'"
    else
        [[ "$found" == "$2" ]] || fail "$(basename "$1") taken for '$found', not $2"
    fi
}
mkdir -p "$work/files"
cp "$prefix/share/kluwin/demo.klu" "$work/files/lighthouse.data"
# NAME|BYTES|TYPE: a hint file under a name that says nothing is known by its first line; one
# named so, in any letter case, by its name; lines that only begin like one are something else.
while IFS='|' read -r name bytes type; do
    [[ -z "$bytes" ]] || printf %b "$bytes" >"$work/files/$name"
    expect_type "$work/files/$name" "$type"
done <<'EOF'
lighthouse.data||application/x-klu-hints
lower-case.data|klu\r\nA game\r\n1\r\n0\r\n|application/x-klu-hints
GAME.KLU|not read: the name decides\n|application/x-klu-hints
game.klu|not read: the name decides\n|application/x-klu-hints
unix-lines.data|KLU\nA game\n|!application/x-klu-hints
kludge.data|KLUDGE\r\n|!application/x-klu-hints
EOF

((failures == 0)) || { echo "$failures check(s) of the installed tree failed" >&2; exit 1; }
echo "installed tree in order"
