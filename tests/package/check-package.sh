#!/usr/bin/env bash
# Checks the Debian package as a user meets it: validates the package and the
# files desktops read from it, installs it with apt (which pulls in what it
# depends on), starts the installed /usr/bin/kavrilon as an unprivileged user
# on a private Xvfb, and purges it again.
#
#     tests/package/check-package.sh [build/run/kavrilon_<version>_<arch>.deb]
#
# Build the package first (./dev.sh package). Needs root, for apt and for the
# throw-away user; run by hand as another user it starts itself with sudo.
# It refuses to run while a kavrilon package is installed, since it ends by
# purging the package. Everything else it makes (the user, the X server, a
# temporary folder) is removed when it ends, whatever the outcome.
set -u -o pipefail

self=$(realpath -- "$0") || exit 1
deb=${1:-}
if [[ -z $deb ]]; then
    debs=("$(dirname -- "$self")"/../../build/run/kavrilon_*.deb)
    [[ -f ${debs[0]} ]] || { echo "FAIL: no build/run/kavrilon_*.deb; run ./dev.sh package first"; exit 1; }
    deb=${debs[-1]}
fi
deb=$(realpath -- "$deb") || exit 1
if (($(id -u) != 0)); then exec sudo -- "$self" "$deb"; fi
# The end-to-end scripts' checks (kav_pass, kav_fail, kav_check_true,
# kav_die) and their private Xvfb start.
# shellcheck source=SCRIPTDIR/../e2e/lib.sh
source "$(dirname -- "$self")/../e2e/lib.sh"

for tool in apt-get dpkg-deb lintian desktop-file-validate appstreamcli Xvfb xdotool setpriv useradd readelf; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (./dev.sh lists the packages)"; exit 1; }
done
if dpkg-query -W -f='${Status}' kavrilon 2>/dev/null | grep -q 'ok installed'; then
    echo "FAIL: kavrilon is installed already; remove it first (this check ends by purging it)"
    exit 1
fi

# Runs a command with its output kept aside, shown only when it fails.
quiet() {
    "$@" >"$tmp/quiet.log" 2>&1 && return 0
    sed 's/^/#   /' "$tmp/quiet.log"
    return 1
}

user=kavt$$-pkg
tmp=
pid=
installed_by_us=0
cleanup() {
    local rc=$?
    [[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null
    [[ -n $KAV_XVFB_PID ]] && kill -TERM "$KAV_XVFB_PID" 2>/dev/null && wait "$KAV_XVFB_PID" 2>/dev/null
    id "$user" >/dev/null 2>&1 && userdel "$user"
    if ((installed_by_us)) && dpkg-query -W kavrilon >/dev/null 2>&1; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kavrilon >/dev/null 2>&1
    fi
    [[ -n $tmp ]] && rm -rf -- "$tmp"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
tmp=$(mktemp -d "${TMPDIR:-/tmp}/kav-package.XXXXXX") || kav_die "cannot make a temporary folder"
chmod 755 "$tmp"

# --- The package and its files ------------------------------------------------
echo "# $deb"
field() { dpkg-deb -f "$deb" "$1"; }
kav_check_true "the package is named kavrilon" test "$(field Package)" = kavrilon
kav_check_true "it depends on the fonts and translations the program shows" \
    grep -Eq '(^|, )fonts-dejavu-core.*fonts-liberation2.*qt6-translations-l10n' <<<"$(field Depends)"
kav_check_true "it depends on the Qt libraries the binary links" grep -q 'libqt6widgets6' <<<"$(field Depends)"
kav_check_true "it recommends xdg-utils" grep -qw xdg-utils <<<"$(field Recommends)"
kav_check_true "it recommends Qt's Wayland plugin" grep -qw qt6-wayland <<<"$(field Recommends)"

# Everything lintian says, pedantic notes included, is shown; errors and
# warnings fail the check.
if lintian --display-info --pedantic --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1; then
    kav_pass "lintian reports no errors or warnings (notes: $(grep -c '^[IP]:' "$tmp/lintian.log"))"
else
    kav_fail "lintian reports errors or warnings"
fi
sed -n 's/^\([EWIPX]: \)/#   \1/p' "$tmp/lintian.log"

dpkg-deb -x "$deb" "$tmp/contents" || kav_die "dpkg-deb cannot unpack $deb"

# The maintainer has a real address, not one in a domain kept for examples
# and tests, and the changelog names the same.
maintainer=$(field Maintainer)
real_address() { ! grep -Eq '@([^>]*\.)?(example|invalid|test|localhost)>' <<<"$1"; }
kav_check_true "the maintainer ($maintainer) has a real address" real_address "$maintainer"
kav_check "the changelog names the same maintainer" \
    "$(gzip -dc "$tmp/contents/usr/share/doc/kavrilon/changelog.gz" | sed -n 's/^ -- \(.*>\)  .*/\1/p' | head -n 1)" \
    "$maintainer"
app=io.github.kavrilon.Kavrilon
kav_check_true "desktop-file-validate accepts the desktop entry" \
    quiet "$(dirname -- "$self")/../install/validate-desktop.sh" "$tmp/contents/usr/share/applications/$app.desktop"
kav_check_true "appstreamcli validate accepts the metadata" \
    quiet appstreamcli validate --no-net "$tmp/contents/usr/share/metainfo/$app.metainfo.xml"
binary=$tmp/contents/usr/bin/kavrilon
stripped() { ! readelf -S "$1" | grep -q '\.symtab'; }
kav_check_true "the binary is stripped" stripped "$binary"
# Debian's hardening: symbols bound at start, so the relocations can be made
# read-only, and the C library's checked functions in place of plain ones.
kav_check_true "the binary binds its symbols at start" grep -q BIND_NOW <<<"$(readelf -d "$binary")"
kav_check_true "the binary calls fortified functions" \
    grep -q '__[a-z]*_chk@' <<<"$(readelf --dyn-syms -W "$binary" | grep -v __stack_chk_fail)"
binary_size=$(stat -c %s "$binary")
kav_check_true "the binary is under 1 MB ($binary_size bytes)" test "$binary_size" -lt 1048576

# --- Install -------------------------------------------------------------------
installed_by_us=1
if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$tmp/apt.log" 2>&1; then
    tail -n 20 "$tmp/apt.log"
    kav_die "apt-get cannot install the package"
fi
kav_pass "apt-get installs the package and what it depends on"
dpkg -L kavrilon >"$tmp/files" || kav_die "dpkg knows no files of kavrilon"
echo "# installed size $(dpkg-query -W -f='${Installed-Size}' kavrilon) KiB; /usr/bin/kavrilon $(stat -c %s /usr/bin/kavrilon) bytes"

# --- The installed program, started by a user ---------------------------------
home=$tmp/home
useradd --system --no-create-home --home-dir "$home" --shell /usr/sbin/nologin "$user" || kav_die "cannot create user $user"
mkdir -p "$home" "$tmp/runtime"
chown "$user:" "$home" "$tmp/runtime"
chmod 700 "$tmp/runtime"

kav_xvfb_start "$tmp" || kav_die "$KAV_XVFB_ERROR"

# The user's own environment, as a desktop session would give it, with no
# XDG_DATA_HOME: the logbook has to find its default place in the home folder.
# setpriv replaces itself with the program, so $! is the program.
(cd / && exec setpriv --reuid="$user" --regid="$user" --init-groups \
    env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$tmp/runtime" DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-session-bus" \
    LC_ALL=C.UTF-8 NO_AT_BRIDGE=1 QT_QPA_PLATFORM=xcb /usr/bin/kavrilon) >"$tmp/kavrilon.log" 2>&1 &
pid=$!

win=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --pid "$pid" 2>/dev/null | head -n 1)
kav_check_true "the installed program maps its window" test -n "$win"

logbook=$home/.local/share/kavrilon/kavrilon.ini
for ((i = 0; i < 100; i++)); do
    [[ -s $logbook ]] && break
    sleep 0.1
done
kav_check_true "the logbook appears in the user's data folder (~/.local/share/kavrilon)" test -s "$logbook"
kav_check_true "the logbook belongs to the user" test "$(stat -c %U "$logbook" 2>/dev/null)" = "$user"
strays=$(find /usr -name 'kavrilon.ini*' 2>/dev/null)
kav_check_true "no logbook under /usr${strays:+: $strays}" test -z "$strays"

kill -TERM "$pid" 2>/dev/null
for ((i = 0; i < 100; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
    kav_fail "the program did not end on SIGTERM within 5 s"
else
    wait "$pid"
    kav_check_true "the program ends normally on SIGTERM" test $? -eq 0
fi
pid=
if ((KAV_FAILED)) && [[ -s $tmp/kavrilon.log ]]; then sed 's/^/#   /' "$tmp/kavrilon.log"; fi

# --- Purge ---------------------------------------------------------------------
if DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kavrilon >"$tmp/apt.log" 2>&1; then
    kav_pass "apt-get purges the package"
else
    tail -n 20 "$tmp/apt.log"
    kav_fail "apt-get cannot purge the package"
fi
kav_check_true "dpkg knows no kavrilon any more" bash -c '! dpkg-query -W kavrilon >/dev/null 2>&1'
left=()
while read -r path; do
    # Shared folders such as /usr/share/icons stay; everything else goes.
    if [[ -e $path && ! -d $path ]] || [[ -d $path && $path == */kavrilon ]]; then left+=("$path"); fi
done <"$tmp/files"
kav_check_true "none of the package's $(wc -l <"$tmp/files") paths is left${left[*]:+: ${left[*]}}" test ${#left[@]} -eq 0

if ((KAV_FAILED)); then
    echo "# the package check failed"
    exit 1
fi
echo "# the package installs, runs as a user, keeps its logbook in the user's folder and purges cleanly"
