#!/usr/bin/env bash
# One entry point for building, running and testing Kavrilon on Debian 12.
#   ./dev.sh run        install what running needs, build a lean release, start the program
#   ./dev.sh test       install what the tests need, build (clang, address and UB sanitizers), run the whole test suite
#   ./dev.sh tidy       clang-tidy on the program's sources, through that same build's compile database
#   ./dev.sh fuzz [s]   build the logbook reader's fuzz target and run it for s seconds (60)
#   ./dev.sh bench      build the release preset and run the benchmarks
#   ./dev.sh package    build the Debian package build/run/kavrilon_<version>_<arch>.deb
set -euo pipefail

# The Debian packages that building and running the program need: the
# compiler and build tools, Qt, and the fonts and translations the program
# shows its texts with. dpkg-dev and file let CPack compute the Debian
# package's dependencies (./dev.sh package).
RUN_PACKAGES=(
  build-essential cmake ninja-build pkg-config dpkg-dev file
  qt6-base-dev qt6-qpa-plugins libgl-dev
  qt6-tools-dev qt6-l10n-tools libxcb1-dev
  fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
)

# Everything the tests, the benchmarks, the fuzz target and the package check
# need on top of that. A tool that only a test uses belongs here, never above.
TEST_PACKAGES=(
  "${RUN_PACKAGES[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev qt6-base-private-dev adwaita-qt6
  xvfb xauth xdotool xclip x11-utils libx11-dev imagemagick openbox passwd python3
  qt6-gtk-platformtheme qt6-wayland weston
  sway grim slurp wayvnc pipewire xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk
  dbus desktop-file-utils appstream lintian valgrind
  clang libclang-rt-14-dev clang-tidy ccache
)

# Sourced (by the test that checks the two lists), stop after the lists.
[[ ${BASH_SOURCE[0]} == "$0" ]] || return 0

cd "$(dirname "$0")"

install_missing() { # package...
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# The comment block at the top of this file, without its "#" marks.
usage() { sed -n '2,/^set -euo/{/^#/s/^# \{0,1\}//p}' "$0"; }

jobs() { nproc 2>/dev/null || echo 2; }

case "${1:-}" in
  run)
    install_missing "${RUN_PACKAGES[@]}"
    cmake --preset run >/dev/null
    cmake --build --preset run
    exec ./build/run/app/kavrilon
    ;;
  package)
    install_missing "${RUN_PACKAGES[@]}"
    # KAV_WERROR=ON (CI) makes the compiler's warnings errors here too.
    cmake --preset run -DKAV_WERROR="${KAV_WERROR:-OFF}" >/dev/null
    cmake --build --preset run --target package
    ;;
  test)
    install_missing "${TEST_PACKAGES[@]}"
    cmake --preset dev
    cmake --build --preset dev
    ctest --preset dev -j "$(jobs)"
    ;;
  tidy)
    install_missing "${TEST_PACKAGES[@]}"
    # The test build is a clang build; its compile database serves
    # clang-tidy, so the program is compiled once. It is a unity build: most
    # of a library's sources reach the compiler as a few files that include
    # them, so clang-tidy reads those, and the headers and the included
    # sources of the program's own folders are checked within them (the
    # .clang-tidy file's filter). Including a .cpp file is what a unity file
    # does, so that one check is off here.
    cmake --preset dev >/dev/null
    cmake --build --preset dev
    src=$(printf '%s' "$PWD" | sed 's/[][\\.*^$+?(){}|]/\\&/g')
    run-clang-tidy -p build/dev -j "$(jobs)" -quiet -checks=-bugprone-suspicious-include \
      "^$src/build/dev/((model|logbook|platform|app|data)/)?CMakeFiles/(kav|kavrilon)[a-z_]*\.dir/Unity/unity_[0-9]+_cxx\.cxx\$" \
      "^$src/(app|core|model|forms|shell|colour|logbook|panel|launcher|data|platform)/.*\.cpp\$"
    ;;
  fuzz)
    install_missing "${TEST_PACKAGES[@]}"
    cmake --preset fuzz
    cmake --build --preset fuzz --target logbook_reader_fuzz
    mkdir -p build/fuzz/corpus
    ./build/fuzz/fuzz/logbook_reader_fuzz -max_total_time="${2:-60}" -max_len=65536 build/fuzz/corpus
    ;;
  bench)
    install_missing "${TEST_PACKAGES[@]}"
    cmake --preset release
    cmake --build --preset release
    ./build/release/bench/logbook_bench
    ./build/release/bench/list/list_append_bench
    ;;
  help | -h | --help)
    usage
    ;;
  *)
    usage
    exit 2
    ;;
esac
