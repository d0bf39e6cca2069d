#!/usr/bin/env bash
# Set up, build and run Pellmarsh on Debian 12 or Ubuntu.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite
#   ./dev.sh bench  install what is missing, build optimised, run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libboost-dev libbenchmark-dev
    fonts-liberation desktop-file-utils appstream
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
    ;;
bench)
    install_missing
    build release
    for b in build/release/bench/bench_*; do "$b"; done
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
