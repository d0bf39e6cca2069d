#!/usr/bin/env bash
# Set up, build and run Pellmarsh on Debian 12 or Ubuntu.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite: the normal build (with the
#                   end-to-end desktop test), the same suite under Address/UB/Leak sanitizers, and a short
#                   bounded run of every fuzz target
#   ./dev.sh bench  install what is missing, build optimised, run the benchmarks
#   ./dev.sh package  install what is missing, build optimised, make build/release/pellmarsh_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libboost-dev libbenchmark-dev poppler-utils
    fonts-liberation desktop-file-utils appstream
    clang libclang-rt-dev
    xvfb xauth xdotool xclip dbus at-spi2-core python3-gi gir1.2-atspi-2.0 imagemagick
    dpkg-dev lintian file groff-base
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

# Each fuzz target for a bounded number of runs over its seed corpus; a finding fails the run.
fuzz_briefly() {
    local runs=${PELLMARSH_FUZZ_RUNS:-20000}
    for target in build/fuzz/fuzz/fuzz_*; do
        [ -f "$target" ] && [ -x "$target" ] || continue
        local name scratch
        name=$(basename "$target")
        scratch=$(mktemp -d)
        # The schedules' and the APR's arithmetic are quick enough to fuzz for a fixed time rather than a number of runs.
        local limits=(-runs="$runs" -max_total_time=120)
        case "$name" in fuzz_schedule | fuzz_lender | fuzz_apr) limits=(-max_total_time=20) ;; esac
        "$target" "$scratch" "fuzz/corpus/$name" "${limits[@]}" -artifact_prefix="$scratch/" \
            >"$scratch/log" 2>&1 || { cat "$scratch/log"; exit 1; }
        echo "fuzz: $name $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$scratch/log")"
        rm -rf "$scratch"
    done
}

case "${1:-}" in
run)
    install_missing
    build dev
    exec ./build/dev/app/pellmarsh
    ;;
test)
    install_missing
    build dev
    ctest --preset dev
    build fuzz
    fuzz_briefly
    build asan
    ctest --preset asan
    ;;
bench)
    install_missing
    build release
    for b in build/release/bench/bench_*; do "$b"; done
    ;;
package)
    install_missing
    build release
    (cd build/release && cpack -G DEB)
    ;;
*)
    echo "usage: $0 run|test|bench|package" >&2
    exit 2
    ;;
esac
