#!/usr/bin/env bash
# Checks the two Debian package lists of dev.sh: `./dev.sh run` installs only
# what building and running need, so every package it installs is also on the
# test list (which `./dev.sh test` and CI install), and no test tool is on it.
#
#     check-package-lists.sh <dev.sh>
set -u

# shellcheck source=/dev/null
source "${1:?usage: check-package-lists.sh <dev.sh>}" || { echo "FAIL: cannot read $1"; exit 1; }

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

((${#RUN_PACKAGES[@]} > 0)) || fail "the run list is empty"
declare -A on_test_list=()
for p in "${TEST_PACKAGES[@]}"; do on_test_list[$p]=1; done

# Packages that only tests, benchmarks, the fuzz target and the checks of the
# package use: test frameworks, X servers and drivers of the program, image
# tools, validators, other compilers, a window manager.
test_tool='^(libgtest-dev|libgmock-dev|googletest|libbenchmark-dev|xvfb|xauth|xdotool|xclip|x11-utils|libx11-dev|imagemagick.*|dbus|dbus-x11|python3-dbus|desktop-file-utils|appstream|lintian|openbox|passwd|clang.*|libclang.*|llvm.*|valgrind|gdb)$'

declare -A seen=()
for p in "${RUN_PACKAGES[@]}"; do
    [[ -n ${on_test_list[$p]-} ]] || fail "$p is on the run list but not on the test list"
    [[ $p =~ $test_tool ]] && fail "$p is a test tool, yet on the run list"
    [[ -n ${seen[$p]-} ]] && fail "$p is on the run list twice"
    seen[$p]=1
done

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "run list (${#RUN_PACKAGES[@]} packages) is part of the test list (${#TEST_PACKAGES[@]}) and holds no test tool"
