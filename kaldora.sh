#!/usr/bin/env bash
# Set-up, build, start and test of Кальдора on Debian 12.
#   ./kaldora.sh run     install what is missing, build, start the program
#   ./kaldora.sh test    install what is missing, build twice (plain and with
#                        AddressSanitizer + UndefinedBehaviorSanitizer), run every test
#   ./kaldora.sh bench   install what is missing, build, run the benchmarks
#   ./kaldora.sh web     install what is missing, build the browser edition
#                        into build-web/kaldora.html
#   ./kaldora.sh package install what is missing, build the Debian package into
#                        build/ and check it (lintian, metadata, manual pages)
set -euo pipefail
cd "$(dirname "$0")"

# What each command needs; `run` only what building and running need.
# Link lines name more than the -dev packages pull in: `pkg-config --libs
# xlsxwriter` says -lxlsxwriter -lz, and libxlsxwriter-dev does not depend on
# zlib1g-dev.
run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  fonts-liberation fonts-dejavu-core
  nlohmann-json3-dev libcsv-dev libxlsxwriter-dev zlib1g-dev libzip-dev libexpat1-dev
)
# The browser edition: emscripten (its own clang), the JSON headers, and what
# fetches and builds the tables' C libraries from Debian's sources.
web_packages=(cmake ninja-build emscripten nlohmann-json3-dev googletest dpkg-dev make)
test_packages=(
  "${run_packages[@]}" "${web_packages[@]}"
  chromium chromium-driver python3-selenium
  libgtest-dev libbenchmark-dev
  locales xvfb xdotool x11-apps qt6-gtk-platformtheme poppler-utils python3 python3-openpyxl
  clang clang-format-14 libfuzzer-14-dev libclang-rt-14-dev
)
bench_packages=("${run_packages[@]}" libgtest-dev libbenchmark-dev time xvfb x11-utils dbus-daemon python3-openpyxl)
package_packages=(
  "${run_packages[@]}" "${web_packages[@]}"
  git dpkg-dev file lintian appstream desktop-file-utils man-db groff-base
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "run as root, or install sudo: su -c 'apt-get install sudo'" >&2
    exit 1
  fi
}

install_missing() {  # install_missing PACKAGE...
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

ensure_russian_locale() {
  # The tests run once more under a Russian locale with a decimal comma.
  if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
    as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen
  fi
}

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build PRESET: configure and build one of CMakePresets.json's configurations
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

web() {  # the browser edition, build-web/kaldora.html
  # emscripten's tools find their JavaScript modules where Debian keeps them,
  # whichever node runs them.
  export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
  build web
}

fuzz() {  # fuzz SECONDS: each libFuzzer target for that long, from the seed corpus
  build fuzz
  for target in table_fuzz number_text_fuzz; do
    local corpus=build-fuzz/corpus/${target%_fuzz}
    mkdir -p "$corpus"
    echo "Fuzzing $target for $1 s"
    local status=0
    ./build-fuzz/tests/fuzz/"$target" -max_total_time="$1" -rss_limit_mb=2048 \
      -artifact_prefix=build-fuzz/ "$corpus" "tests/fuzz/corpus/${target%_fuzz}" \
      >build-fuzz/"$target".log 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
      tail -40 build-fuzz/"$target".log >&2
      echo "$target found a fault; the input is in build-fuzz/" >&2
      exit 1
    fi
    grep -E '^Done [0-9]+ runs' build-fuzz/"$target".log
  done
}

case "${1:-}" in
  run)
    install_missing "${run_packages[@]}"
    # Without the tests, which need libraries the program does not.
    build program
    exec ./build/ui/kaldora
    ;;
  test)
    install_missing "${test_packages[@]}"
    ensure_russian_locale
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
    web
    build plain
    ctest --preset plain -j "$jobs"
    build sanitize
    ctest --preset sanitize -j "$jobs"
    fuzz "${KALDORA_FUZZ_SECONDS:-60}"
    ;;
  bench)
    install_missing "${bench_packages[@]}"
    build plain
    ./build/bench/kaldora_bench "${@:2}"
    ./build/bench/window_bench
    ./bench/cli_table.sh ./build/cli/kaldora-calc
    ./bench/engine_vs_reference.sh ./build/cli/kaldora-calc
    ./bench/startup_time.sh -n 15 ./build/bench/minimal_window ./build/ui/kaldora
    ;;
  web)
    install_missing "${web_packages[@]}"
    web
    echo "build-web/kaldora.html: open it in a browser"
    ;;
  package)
    install_missing "${package_packages[@]}"
    web
    # Debian's hardening flags, as a package build of Debian's own gets them.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    # Every date in the package is the last commit's (the release date where
    # the sources came without their history), so the same sources give the
    # same package, byte for byte.
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
      SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
        SOURCE_DATE_EPOCH=$(date -u -d "$(sed -n 's/^set(KALDORA_RELEASE_DATE \(.*\))/\1/p' CMakeLists.txt)" +%s)
    fi
    export SOURCE_DATE_EPOCH
    CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS) CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS) \
      LDFLAGS=$(dpkg-buildflags --get LDFLAGS) build package
    (cd build-package && cpack -B "$PWD/../build" >/dev/null)
    rm -rf build/_CPack_Packages
    ./packaging/check_package.sh build/kaldora_*_amd64.deb
    ;;
  *)
    echo "usage: $0 run | test | bench | web | package" >&2
    exit 2
    ;;
esac
