#!/usr/bin/env bash
# Set-up, build, start and test of Кальдора on Debian 12.
#   ./kaldora.sh run     install what is missing, build, start the program
#   ./kaldora.sh test    install what is missing, build twice (plain and with
#                        AddressSanitizer + UndefinedBehaviorSanitizer), run every test
#   ./kaldora.sh bench   install what is missing, build, run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  fonts-liberation fonts-dejavu-core
  libgtest-dev libbenchmark-dev
  nlohmann-json3-dev libcsv-dev
  locales
  xvfb xdotool poppler-utils
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  # The tests run once more under a Russian locale with a decimal comma.
  if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
    as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen
  fi
}

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
  run)
    install_missing
    build build
    exec ./build/ui/kaldora
    ;;
  test)
    install_missing
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
    build build
    (cd build && ctest --output-on-failure -j "$jobs")
    build build-asan -DKALDORA_SANITIZE=ON -DKALDORA_BENCH=OFF
    (cd build-asan && LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" \
      ctest --output-on-failure -j "$jobs")
    ;;
  bench)
    install_missing
    build build
    ./build/bench/kaldora_bench "${@:2}"
    ./bench/cli_table.sh ./build/cli/kaldora-calc
    ;;
  *)
    echo "usage: $0 run | test | bench" >&2
    exit 2
    ;;
esac
