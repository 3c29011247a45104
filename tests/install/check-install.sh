#!/bin/sh
# Installs a built tree into a temporary prefix and checks what desktops and
# software centres read from it: the desktop entry, the AppStream metadata,
# the icon in every hicolor size, the program's own page, the manual page and
# the licence.
#
#     check-install.sh <build folder>
#
# Writes nothing outside its temporary folder: `cmake --install` would leave
# install_manifest.txt in the build folder, so the build's install script is
# run from a copy whose manifest goes to the temporary folder instead.
set -eu

build=${1:?usage: check-install.sh <build folder>}
here=$(dirname -- "$0")
app_id=io.github.kavrilon.Kavrilon
icon=$app_id
sizes="16 32 48 64 128 256"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in cmake desktop-file-validate appstreamcli od gzip; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool is not installed (Debian: cmake, desktop-file-utils, appstream, coreutils, gzip)" >&2
        exit 1
    fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
prefix="$tmp/prefix"
export HOME="$tmp/home" XDG_CACHE_HOME="$tmp/cache" XDG_DATA_HOME="$tmp/data"
mkdir -p "$HOME"

# --- Install --------------------------------------------------------------
script="$build/cmake_install.cmake"
[ -f "$script" ] || { echo "FAIL: $script not found; configure the build first" >&2; exit 1; }
# shellcheck disable=SC2016 # ${CMAKE_INSTALL_MANIFEST} is CMake's, not the shell's
sed 's|^file(WRITE "[^"]*/\${CMAKE_INSTALL_MANIFEST}"|file(WRITE "'"$tmp"'/${CMAKE_INSTALL_MANIFEST}"|' \
    "$script" >"$tmp/cmake_install.cmake"
if grep -q '^file(WRITE' "$tmp/cmake_install.cmake" &&
    ! grep -q '^file(WRITE "'"$tmp"'/' "$tmp/cmake_install.cmake"; then
    echo "FAIL: could not keep the install manifest out of the build folder" >&2
    exit 1
fi
if ! cmake -DCMAKE_INSTALL_PREFIX="$prefix" -P "$tmp/cmake_install.cmake" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log" >&2
    echo "FAIL: the install did not complete" >&2
    exit 1
fi

share="$prefix/share"
desktop="$share/applications/$app_id.desktop"
metainfo="$share/metainfo/$app_id.metainfo.xml"
page="$share/doc/kavrilon/index.html"

# --- Desktop entry --------------------------------------------------------
if [ ! -f "$desktop" ]; then
    fail "no desktop entry at share/applications/$app_id.desktop"
else
    # Warnings and hints count too: only a silent pass is accepted.
    if ! out=$("$here/validate-desktop.sh" "$desktop"); then
        echo "$out" >&2
        fail "desktop-file-validate does not accept $app_id.desktop"
    fi
    grep -qx "X-GNOME-SingleWindow=true" "$desktop" || fail "the desktop entry does not say the program keeps one main window"
    grep -qx "Icon=$icon" "$desktop" || fail "the desktop entry does not name the icon $icon"
    grep -qx "Exec=kavrilon" "$desktop" || fail "the desktop entry does not start kavrilon"
    grep -qx "TryExec=kavrilon" "$desktop" || fail "the desktop entry does not hide itself when kavrilon is missing"
    grep -qx "Name=Kavrilon" "$desktop" || fail "the desktop entry is not named Kavrilon"
fi

# --- AppStream metadata ---------------------------------------------------
if [ ! -f "$metainfo" ]; then
    fail "no AppStream metadata at share/metainfo/$app_id.metainfo.xml"
else
    if ! appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.log" 2>&1; then
        cat "$tmp/appstream.log" >&2
        fail "appstreamcli validate rejects $app_id.metainfo.xml"
    fi
    # The tree check also ties the metadata to the installed desktop entry.
    if ! appstreamcli validate-tree --no-net "$prefix" >"$tmp/appstream-tree.log" 2>&1; then
        cat "$tmp/appstream-tree.log" >&2
        fail "appstreamcli validate-tree rejects the installed tree"
    fi
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metadata's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metadata does not launch $app_id.desktop"
    grep -q "<binary>kavrilon</binary>" "$metainfo" || fail "the metadata does not provide the kavrilon binary"
    # A project without a public address names none rather than a made-up one.
    if grep -Eq 'https?://[^"<]*\.(example|invalid|test)[/"<]' "$metainfo"; then
        fail "the metadata names a placeholder address"
    fi
fi

# --- Icons ----------------------------------------------------------------
# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    # shellcheck disable=SC2046 # one argument per byte
    set -- $(od -An -tu1 -j16 -N8 "$1")
    [ $# -eq 8 ] || return 1
    echo "$(($1 * 16777216 + $2 * 65536 + $3 * 256 + $4))x$(($5 * 16777216 + $6 * 65536 + $7 * 256 + $8))"
}
png_signature() {
    [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ]
}
for size in $sizes; do
    file="$share/icons/hicolor/${size}x${size}/apps/$icon.png"
    if [ ! -f "$file" ]; then
        fail "no icon at share/icons/hicolor/${size}x${size}/apps/$icon.png"
    elif ! png_signature "$file"; then
        fail "the ${size}x${size} icon is not a PNG file"
    elif [ "$(png_size "$file")" != "${size}x${size}" ]; then
        fail "the ${size}x${size} icon is $(png_size "$file") pixels"
    fi
done
svg="$share/icons/hicolor/scalable/apps/$icon.svg"
if [ ! -f "$svg" ]; then
    fail "no scalable icon at share/icons/hicolor/scalable/apps/$icon.svg"
elif ! grep -q '<svg' "$svg"; then
    fail "the scalable icon is not an SVG file"
fi

# --- The program's page ---------------------------------------------------
if [ ! -f "$page" ]; then
    fail "no page at share/doc/kavrilon/index.html"
else
    head -n 1 "$page" | grep -qi '^<!DOCTYPE html>' || fail "index.html is not an HTML5 document"
    grep -qi '<meta charset="utf-8">' "$page" || fail "index.html does not declare UTF-8"
    if command -v iconv >/dev/null 2>&1; then
        iconv -f UTF-8 -t UTF-8 "$page" >/dev/null 2>&1 || fail "index.html is not valid UTF-8"
    fi
    grep -q 'id="sok"' "$page" || fail "index.html has no search section (id=\"sok\")"
fi

# --- Manual page and licence -----------------------------------------------
man="$share/man/man1/kavrilon.1.gz"
if [ ! -f "$man" ]; then
    fail "no manual page at share/man/man1/kavrilon.1.gz"
elif ! gzip -dc "$man" | grep -q '^\.TH KAVRILON 1 '; then
    fail "kavrilon.1.gz is not a section 1 manual page"
fi
grep -q '^License: GPL-3+$' "$share/doc/kavrilon/copyright" 2>/dev/null ||
    fail "no machine-readable copyright naming GPL-3+ at share/doc/kavrilon/copyright"

# --- The program itself ---------------------------------------------------
if [ -e "$prefix/bin/kavrilon" ]; then
    [ -x "$prefix/bin/kavrilon" ] || fail "bin/kavrilon is not executable"
else
    echo "note: the install holds no bin/kavrilon; only the data files were checked"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install tree checked: desktop entry, metadata, icons ($sizes and scalable), page, manual, licence"
