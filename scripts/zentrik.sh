#!/usr/bin/env bash
# Set-up, build and run for a fresh Debian machine.
#   bash scripts/zentrik.sh run    install what is missing, build, start the editor
#   bash scripts/zentrik.sh test   install what is missing, build with sanitizers, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev qt6-multimedia-dev
          libadplug-dev libgtest-dev libgmock-dev libbenchmark-dev libgl-dev libpng-dev)
PACKAGES+=(python3 python3-pil sox) # the data generator; independent readers for the bitmap and WAV tests
JOBS=$(nproc 2>/dev/null || echo 2)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

run_editor() {
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRIK_BUILD_TESTS=OFF
    cmake --build build/release -j "$JOBS"
    exec ./build/release/bin/zentrik "$@"
}

run_fuzzers() {
    # A short run of every decoder's fuzzer: they must not find a crash in this time.
    CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZENTRIK_BUILD_GUI=OFF -DZENTRIK_BUILD_TESTS=OFF -DZENTRIK_BUILD_FUZZ=ON
    cmake --build build/fuzz -j "$JOBS"
    local seconds=${ZENTRIK_FUZZ_SECONDS:-15}
    local ok=0 failed=0
    for f in build/fuzz/bin/zentrik_fuzz_*; do
        mkdir -p "build/fuzz/corpus/$(basename "$f")"
        if "$f" -max_total_time="$seconds" -rss_limit_mb=2048 \
            "build/fuzz/corpus/$(basename "$f")" > "build/fuzz/$(basename "$f").log" 2>&1; then
            ok=$((ok + 1))
        else
            failed=$((failed + 1))
            echo "fuzzer $(basename "$f") found a problem:"; tail -n 40 "build/fuzz/$(basename "$f").log"
        fi
    done
    echo "fuzz: ${ok} passed, ${failed} failed"
    [ "$failed" -eq 0 ]
}

run_tests() {
    cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRIK_SANITIZE=ON \
        -DZENTRIK_BUILD_BENCH=ON
    cmake --build build/test -j "$JOBS"
    export QT_QPA_PLATFORM=offscreen
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
    (cd build/test && ctest --output-on-failure -j "$JOBS")
    run_fuzzers
}

case "${1:-}" in
run) install_missing; shift; run_editor "$@" ;;
test) install_missing; run_tests ;;
*) echo "usage: bash scripts/zentrik.sh run|test"; exit 2 ;;
esac
