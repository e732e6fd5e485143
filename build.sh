#!/usr/bin/env bash
# Installs what Shelf needs (Debian 12, as root or with sudo), builds it, then either opens the
# sample book (./build.sh open) or runs every test (./build.sh test): the tests, then the same
# tests in a clang build with AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for SHELF_FUZZ_SECONDS (10) from its seeds. SHELF_CHECKED=0 leaves out the last two.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
  open|test) ;;
  *) echo "usage: ./build.sh open | test" >&2; exit 2 ;;
esac

packages=(build-essential cmake ninja-build pkg-config zlib1g-dev qt6-base-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-liberation2
          liblitehtml-dev libgumbo-dev libgif-dev qt6-multimedia-dev
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
          gstreamer1.0-libav timgm6mb-soundfont libmp3lame-dev pulseaudio pulseaudio-utils
          libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
          xvfb xauth xdg-utils shared-mime-info libarchive-dev libsndfile1-dev libfluidsynth-dev libpulse-dev cups cups-bsd cups-client cups-core-drivers
          libcups2-dev libstemmer-dev poppler-utils clang libclang-rt-14-dev llvm libchm-dev xorriso
          fonts-comfortaa python3 libminizip-dev epubcheck qt6-translations-l10n lintian appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${SHELF_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = test ]; then
  (cd "$build" && ctest --output-on-failure --parallel "$(nproc)" --timeout 300)
  [ "${SHELF_CHECKED:-1}" = 0 ] && exit 0

  checked=${SHELF_CHECKED_BUILD_DIR:-build-checked}
  # Light optimisation and line tables only: the sanitizers' reports need no more, and the
  # second build stays quick on a small machine.
  cmake -S . -B "$checked" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only -DNDEBUG" \
        -DCMAKE_CXX_COMPILER=clang++ -DSHELF_SANITIZE=ON -DSHELF_FUZZ=ON \
        -DSHELF_BUILD_BENCH=OFF > /dev/null
  cmake --build "$checked" --parallel "$(nproc)"
  # Leaks of the libraries' caches are not what this run looks for; any other report fails it.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # The install and package tests check files and packaging, which the sanitizers do not see.
  (cd "$checked" && ctest --output-on-failure --parallel "$(nproc)" --timeout 900 -E '^installed_')
  seconds=${SHELF_FUZZ_SECONDS:-10}
  # help_file_fuzz is built but not run here yet: libchm follows a help file's index pages
  # without noticing a cycle, so a crafted one hangs it until the reader checks them first.
  for target in packed_container_fuzz interface_description_fuzz page_engine_fuzz \
                rar_archive_fuzz window_message_fuzz text_files_fuzz; do
    corpus="$checked/fuzz/corpus/$target"
    mkdir -p "$corpus"
    echo "Fuzzing $target for $seconds s"
    # An input that takes over 10 s or 2 GB (address space of the sanitizer aside) is a fault.
    log="$checked/fuzz/$target.log"
    if ! "$checked/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -print_final_stats=1 "$corpus" "$checked/fuzz/seeds/$target" > "$log" 2>&1; then
      cat "$log"
      exit 1
    fi
    grep -E "DONE|stat::(number_of_executed_units|peak_rss_mb)" "$log"
  done
  exit 0
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
Shelf is built ($build/shelf), but this session has no display to show the book on.
Run it from a desktop session, or try it under a virtual display:
  xvfb-run -a -s "-screen 0 1024x768x24" $build/shelf
MSG
  exit 1
fi
exec "$build/shelf"
