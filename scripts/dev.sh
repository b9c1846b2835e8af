#!/usr/bin/env bash
# Builds and runs the project. Installs what the build needs first (Debian packages, as
# root), so that it works on a fresh machine.
#
#   scripts/dev.sh run        build, then run the main program
#   scripts/dev.sh test       build, then run every test
#   scripts/dev.sh sanitize   build with AddressSanitizer + UBSan, then run every test
#   scripts/dev.sh tsan       build the thread tests with ThreadSanitizer, then run them
#   scripts/dev.sh bench      build, then run the benchmarks
#   scripts/dev.sh fuzz       build the libFuzzer targets with clang, then run each for a
#                             bounded time over the committed seed corpus
#                             (XEL_FUZZ_SECONDS, default 20)
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
mode=${1:-test}
shift $(( $# > 0 ? 1 : 0 ))
jobs=$(nproc 2>/dev/null || echo 2)

# zlib gives the log files' CRC-32; fp-compiler checks that units changed by the source
# parser still compile; fpc-source is the Pascal corpus of the parser's benchmark and tests.
# libxml2-dev reads and writes the XLIFF files of translators' tools.
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev ccache qt6-base-dev fonts-dejavu-core
  zlib1g-dev fp-compiler fpc-source libxml2-dev)
# The system's service table (/etc/services), by which port editors take service names.
packages+=(netbase)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure() {  # configure DIR [cmake options...]
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
}

if [ "$mode" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi
install_missing
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/xel-ccache}
# Paths relative to the checkout, so that every clone and worktree shares one cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
# Debug builds would otherwise hash the build folder and miss in every fresh clone.
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-10G}

case "$mode" in
  run)
    configure build/default -DCMAKE_BUILD_TYPE=Release
    cmake --build build/default -j "$jobs" --target xeldemo
    # Without a display the demo tours its languages on Qt's offscreen platform and
    # writes its pictures to demo-pictures/.
    ./build/default/apps/demo/xeldemo "$@"
    ;;
  test)
    configure build/default -DCMAKE_BUILD_TYPE=Release
    cmake --build build/default -j "$jobs"
    ctest --test-dir build/default -j "$jobs" --output-on-failure
    ;;
  sanitize)
    configure build/asan -DCMAKE_BUILD_TYPE=Debug -DXEL_SANITIZE=ON -DXEL_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
    cmake --build build/asan -j "$jobs"
    # Qt and fontconfig keep caches for the life of the process: their allocations are no leaks of ours.
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions="$root/scripts/lsan-qt.supp" \
      ctest --test-dir build/asan -j "$jobs" --output-on-failure
    ;;
  tsan)
    # Only the program with the thread tests and the helper it starts, without Qt: the
    # rest of the suite has no threads.
    configure build/tsan -DCMAKE_BUILD_TYPE=Debug -DXEL_TSAN=ON -DXEL_WITH_QT=OFF -DXEL_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
    cmake --build build/tsan -j "$jobs" --target test_syncthread synchelper
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 XEL_WIDGETSET=headless \
      ./build/tsan/tests/toollib/test_syncthread
    ;;
  fuzz)
    configure build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DXEL_FUZZ=ON \
      -DXEL_WITH_QT=OFF -DXEL_BUILD_TESTS=OFF -DXEL_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
    targets=(FormReader TextForm ResFile IniFile RegistryStore MultilingualForm SourceParser SortGridText LanguageImport
      PoFile XliffFile FormCheck)
    corpora=(form_reader text_form res_file ini_file registry_store multilingual_form source_parser sort_grid_text
      language_import po_file xliff_file form_check)
    cmake --build build/fuzz -j "$jobs" --target "${targets[@]/#/fuzz_}"
    seconds=${XEL_FUZZ_SECONDS:-20}
    artifacts=build/fuzz/artifacts
    mkdir -p "$artifacts"
    failed=0
    for i in "${!targets[@]}"; do
      work=$(mktemp -d)
      mkdir -p "$work/new"
      log="$work/log"
      echo "fuzzing ${targets[$i]} for ${seconds}s"
      # New inputs go to the scratch folder; the committed corpus is only read.
      status=0
      ./build/fuzz/fuzz/fuzz_${targets[$i]} -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$artifacts/${targets[$i]}-" \
        "$work/new" "fuzz/corpus/${corpora[$i]}" >"$log" 2>&1 || status=$?
      grep -E "^(stat::number_of_executed_units|SUMMARY)" "$log" || true
      if [ "$status" -ne 0 ]; then
        tail -40 "$log" >&2
        echo "fuzz_${targets[$i]} found a failure; the input is under $artifacts" >&2
        failed=$((failed + 1))
      fi
      rm -rf "$work"
    done
    echo "fuzzing: $(( ${#targets[@]} - failed )) passed, $failed failed"
    [ "$failed" -eq 0 ]
    ;;
  bench)
    configure build/default -DCMAKE_BUILD_TYPE=Release
    cmake --build build/default -j "$jobs"
    for b in build/default/bench/bench_*; do "$b"; done
    ;;
  *)
    echo "usage: scripts/dev.sh run|test|sanitize|tsan|fuzz|bench" >&2
    exit 2
    ;;
esac
