#!/usr/bin/env bash
# Set-up, build and run for a fresh Debian machine.
#   bash scripts/zentrik.sh run    install what is missing, build, start the editor
#   bash scripts/zentrik.sh test   install what is missing, check the formatting, build with
#                                  sanitizers and warnings as errors, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev qt6-multimedia-dev
          libadplug-dev libgtest-dev libgmock-dev libbenchmark-dev libgl-dev libpng-dev
          libsndfile1-dev libsoxr-dev pkg-config)
PACKAGES+=(clang-format)
PACKAGES+=(python3 python3-pil sox) # the data generator; independent readers for the bitmap and WAV tests
PACKAGES+=(desktop-file-utils appstream) # validating the package's desktop entry and metadata
PACKAGES+=(dosbox) # "Play level" runs the game's own executable in it; the play tests start it
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

# The fewest coverage counters a fuzz target may link: about a third of what each had when its
# decoder was first instrumented. Fewer means the core lost its instrumentation and the fuzzer
# is blind again (a harness alone has a few dozen).
fuzz_min_counters() {
    case "$1" in
    ExpandRlew) echo 60 ;;
    ExpandCarmack) echo 110 ;;
    PaletteImport | ReadBmp) echo 150 ;;
    HuffmanExpand | ScreenImport | SongModelBuilder | VgaDictionary) echo 300 ;;
    ReadWav | ListsTxt | SprInfoTxt) echo 450 ;;
    *) echo 650 ;;
    esac
}

run_fuzzers() {
    # A short run of every decoder's fuzzer from seeds cut out of the real game files: they must
    # not find a crash in this time, and each must see the code it fuzzes.
    CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZENTRIK_BUILD_GUI=OFF -DZENTRIK_BUILD_TESTS=OFF -DZENTRIK_BUILD_FUZZ=ON
    cmake --build build/fuzz -j "$JOBS"
    local seconds=${ZENTRIK_FUZZ_SECONDS:-15}
    rm -rf build/fuzz/seeds
    python3 fuzz/make_seeds.py "${ZENTRIK_GAMEDATA:-../shared/gamedata}" build/fuzz/bin/zentrik-cli \
        build/fuzz/seeds
    local ok=0 failed=0
    for f in build/fuzz/bin/zentrik_fuzz_*; do
        local name short log dict=() counters cov
        name=$(basename "$f")
        short=${name#zentrik_fuzz_}
        log="build/fuzz/$name.log"
        mkdir -p "build/fuzz/corpus/$name" "build/fuzz/seeds/$name"
        [ -f "fuzz/dict/$short.dict" ] && dict=(-dict="fuzz/dict/$short.dict")
        if ! "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" \
            "build/fuzz/corpus/$name" "build/fuzz/seeds/$name" > "$log" 2>&1; then
            failed=$((failed + 1))
            echo "fuzzer $name found a problem:"; tail -n 40 "$log"
            continue
        fi
        counters=$(sed -n 's/.*(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n 1)
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
        printf 'fuzz %-34s counters %6s  cov %6s  corpus %5s\n' "$name" "${counters:-?}" \
            "${cov:-?}" "$(find "build/fuzz/corpus/$name" -type f | wc -l)"
        if [ "${counters:-0}" -lt "$(fuzz_min_counters "$short")" ]; then
            failed=$((failed + 1))
            echo "fuzzer $name sees only ${counters:-0} counters: is the core instrumented?"
        else
            ok=$((ok + 1))
        fi
    done
    echo "fuzz: ${ok} passed, ${failed} failed"
    [ "$failed" -eq 0 ]
}

check_format() {
    # Every C++ file as clang-format (with the repository's .clang-format) would leave it.
    local files
    mapfile -t files < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) | sort)
    if ! clang-format --dry-run --Werror "${files[@]}"; then
        echo "These files need clang-format -i (see above)."
        return 1
    fi
}

run_tests() {
    check_format
    cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRIK_SANITIZE=ON \
        -DZENTRIK_BUILD_BENCH=ON -DZENTRIK_WERROR=ON
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
