# shellcheck shell=bash
# Shared by the start-up and idle benchmarks: builds the helpers of
# bench/startup the way the kavrilon under test was built, and starts a
# private Xvfb with a temporary home, runtime folder and program folders.
# Source it; it defines functions only.

# Takes the one argument a script has left after its options, the program to
# measure, into $kavrilon, after checking that the tools the script needs are
# installed. Ends the script with a usage line (64) or a missing tool (69).
bench_take_program() { # usage tool... -- argument...
    local usage=$1 tool
    shift
    local tools=()
    while [[ $1 != -- ]]; do tools+=("$1"); shift; done
    shift
    (($# == 1)) || { echo "usage: $usage" >&2; exit 64; }
    kavrilon=$(realpath -- "$1") || exit 64
    [[ -x $kavrilon ]] || { echo "no program at $1" >&2; exit 64; }
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 69; }
    done
}

# Builds kav_waitmap and kav_startup_baseline from bench/startup with the
# build type, compiler and flags of the given kavrilon (read from the
# CMakeCache.txt of the tree it was built in), so both programs are compiled
# alike. Sets build_type, waitmap, pingprobe and baseline_program.
bench_build_helpers() { # kavrilon
    local here repo cache tools cxx cxx_flags ld_flags
    here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
    repo=$(cd -- "$here/../.." && pwd)
    cache=$(dirname -- "$(dirname -- "$1")")/CMakeCache.txt
    cache_value() { [[ -f $cache ]] && sed -n "s/^$1:[A-Z]*=//p" "$cache" | head -n 1; }
    build_type=$(cache_value CMAKE_BUILD_TYPE)
    build_type=${build_type:-Release}
    cxx=$(cache_value CMAKE_CXX_COMPILER)
    cxx_flags=$(cache_value CMAKE_CXX_FLAGS)
    ld_flags=$(cache_value CMAKE_EXE_LINKER_FLAGS)
    [[ $build_type == Release ]] ||
        echo "note: kavrilon is a $build_type build; figures from a Release build are the ones that count"

    tools=$repo/build/bench-startup-${build_type,,}
    local configure=(cmake -S "$here" -B "$tools" -G Ninja -DCMAKE_BUILD_TYPE="$build_type")
    [[ -n $cxx ]] && configure+=(-DCMAKE_CXX_COMPILER="$cxx")
    configure+=(-DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$ld_flags")
    "${configure[@]}" >/dev/null || { echo "configuring the helpers failed" >&2; exit 1; }
    cmake --build "$tools" >/dev/null || { echo "building the helpers failed" >&2; exit 1; }
    waitmap=$tools/kav_waitmap
    pingprobe=$tools/kav_pingprobe
    baseline_program=$tools/kav_startup_baseline
}

# Programs the script started itself; the exit trap ends those still running.
bench_pids=()

bench_cleanup() {
    local pid
    for pid in "${bench_pids[@]}"; do
        kill -0 "$pid" 2>/dev/null && kill -TERM "$pid" 2>/dev/null
    done
    for pid in "${bench_pids[@]}"; do wait "$pid" 2>/dev/null; done
    if [[ -n ${xvfb_pid-} ]]; then
        kill -TERM "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    [[ -n ${tmp-} ]] && rm -rf -- "$tmp"
}

# A temporary folder with one program folder per name given, a private home
# and runtime folder, and an Xvfb on a free display. Sets tmp, xvfb_pid and
# DISPLAY.
bench_start_xvfb() { # program-folder-names...
    local name n='' i
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/kav-bench.XXXXXX") || exit 1
    trap bench_cleanup EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    mkdir -p "$tmp"/{home,runtime,config,cache,data}
    for name in "$@"; do mkdir -p "$tmp/$name"; done
    chmod 700 "$tmp/runtime"

    export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime XDG_CONFIG_HOME=$tmp/config
    export XDG_CACHE_HOME=$tmp/cache XDG_DATA_HOME=$tmp/data
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$tmp/no-session-bus
    # KAV_BENCH_LOCALE=sv_SE.UTF-8 measures a start that loads the Swedish translations.
    export QT_QPA_PLATFORM=xcb LC_ALL=${KAV_BENCH_LOCALE:-C.UTF-8} NO_AT_BRIDGE=1
    unset SESSION_MANAGER WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP DESKTOP_SESSION

    : >"$tmp/display"
    Xvfb -noreset -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for ((i = 0; i < 200; i++)); do
        read -r n <"$tmp/display" 2>/dev/null && [[ $n =~ ^[0-9]+$ ]] && break
        n=
        sleep 0.05
    done
    [[ -n $n ]] || { echo "Xvfb did not start: $(cat "$tmp/xvfb.log")" >&2; exit 1; }
    export DISPLAY=:$n
}
