#!/usr/bin/env bash
# One entry point for building, running and testing Kavrilon on Debian 12.
#   ./dev.sh run        install what is missing, build, start the program
#   ./dev.sh test       install what is missing, build, run the whole test suite
#   ./dev.sh test-asan  the unit and renderer tests under address and UB sanitizers
#   ./dev.sh fuzz [s]   build the logbook reader's fuzz target and run it for s seconds (60)
#   ./dev.sh bench      build the release preset and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

# The Debian packages the build, the tests and the benchmarks need.
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev qt6-base-private-dev adwaita-qt6
  xvfb xauth xdotool xclip x11-utils libx11-dev libxcb1-dev imagemagick openbox passwd python3
  fonts-dejavu-core fonts-liberation2
  dbus desktop-file-utils appstream
  clang libclang-rt-14-dev
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

jobs() { nproc 2>/dev/null || echo 2; }

case "${1:-}" in
  run)
    install_missing
    cmake --preset release >/dev/null
    cmake --build --preset release --target kavrilon
    exec ./build/release/app/kavrilon
    ;;
  test)
    install_missing
    cmake --preset dev
    cmake --build --preset dev
    ctest --preset dev -j "$(jobs)"
    ;;
  test-asan)
    install_missing
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan -j "$(jobs)" -LE e2e
    ;;
  fuzz)
    install_missing
    cmake --preset fuzz
    cmake --build --preset fuzz --target logbook_reader_fuzz
    mkdir -p build/fuzz/corpus
    ./build/fuzz/fuzz/logbook_reader_fuzz -max_total_time="${2:-60}" -max_len=65536 build/fuzz/corpus
    ;;
  bench)
    install_missing
    cmake --preset release
    cmake --build --preset release
    ./build/release/bench/logbook_bench
    ./build/release/bench/list/list_append_bench
    ;;
  *)
    sed -n '2,8p' "$0"
    exit 2
    ;;
esac
