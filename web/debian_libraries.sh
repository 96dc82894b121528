#!/usr/bin/env bash
# The C libraries of the table reader and writer, built for the browser from
# Debian's own source packages: zlib, expat, libzip, libxlsxwriter and libcsv,
# installed as static WebAssembly libraries into PREFIX.
#   web/debian_libraries.sh WORKDIR PREFIX
# The sources come through apt from the archive this machine uses, checked
# against its signed indexes; a private apt state in WORKDIR keeps the
# machine's own lists untouched, so no root is needed. Runs once: PREFIX
# keeps a stamp naming the versions it holds.
set -euo pipefail
work=$1
prefix=$2
packages=(zlib expat libzip libxlsxwriter libcsv)
toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
mkdir -p "$work" "$prefix"
work=$(cd "$work" && pwd)
prefix=$(cd "$prefix" && pwd)

# Source lines for the suites the machine's binary lines name, from its
# own apt configuration (one-line and deb822 files alike).
apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
# Security updates are left out: the archive these builds reach indexes their
# sources without serving them.
apt-get indextargets --format '$(SITE) $(RELEASE)' 'Created-By: Packages' 2>/dev/null |
  sort -u | awk '$1 ~ /^https?:/ && $2 !~ /security/ {
    printf "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n", $1, $2 }' \
  > "$apt_dir/sources.list"
if [ ! -s "$apt_dir/sources.list" ]; then
  echo "debian_libraries.sh: this machine's apt names no Debian archive to take sources from" >&2
  exit 1
fi
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Debug::NoLocking=1
  -o APT::Sandbox::User="$(id -un)")
apt-get "${apt_options[@]}" -qq update
versions=$(for p in "${packages[@]}"; do
  apt-cache "${apt_options[@]}" showsrc "$p" | awk -v p="$p" '/^Package:/ { ok = $2 == p } ok && /^Version:/ { print p "_" $2; exit }'
done)
if [ -f "$prefix/versions" ] && [ "$(cat "$prefix/versions")" = "$versions" ]; then
  exit 0
fi

sources=$work/sources
rm -rf "$sources" "$work/build"
mkdir -p "$sources"
(cd "$sources" && apt-get "${apt_options[@]}" -qq source --download-only "${packages[@]}" >/dev/null)
for dsc in "$sources"/*.dsc; do
  (cd "$sources" && dpkg-source --no-check -x "$dsc" >/dev/null)
done
source_of() { find "$sources" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n 1; }

# emscripten's probes of type sizes run their test programs, which this
# node cannot start; the sizes of wasm32 are known.
# Each library's output goes to its log, shown when it fails.
cmake_build() {  # cmake_build NAME SOURCE_DIR CMAKE_ARGS...
  local log=$work/build/$1.log
  if ! { cmake -S "$2" -B "$work/build/$1" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE=$toolchain \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "${@:3}" &&
    cmake --build "$work/build/$1" --target install; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "debian_libraries.sh: $1 did not build for the browser" >&2
    return 1
  fi
}

# zlib, with its deflateInit2_ under another name: the table writer's own
# deflateInit2_ sets the level and calls it (as the native build does by
# interposing the shared library's).
zlib=$(source_of zlib)
mkdir -p "$work/build"
(cd "$zlib" && CFLAGS="-O2 -DdeflateInit2_=zlib_deflateInit2_" emconfigure ./configure --static --prefix="$prefix" &&
  emmake make -j"$(nproc)" libz.a && emmake make install) >"$work/build/zlib.log" 2>&1 ||
  { cat "$work/build/zlib.log" >&2; exit 1; }

# expat's CMake template defines its feature macros empty; its security
# fixes test them for 1, as its autotools build defines them.
expat=$(source_of expat)/expat
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/; s/^#cmakedefine XML_NS$/#cmakedefine XML_NS 1/' \
  "$expat/expat_config.h.cmake"
# Their probes are slow compilations one after another: the three build side
# by side.
cmake_build expat "$expat" -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF \
  -DEXPAT_BUILD_DOCS=OFF -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_FUZZERS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF &

sizes=()
for s in INT8_T_LIBZIP:1 UINT8_T_LIBZIP:1 INT16_T_LIBZIP:2 UINT16_T_LIBZIP:2 INT32_T_LIBZIP:4 UINT32_T_LIBZIP:4 \
  INT64_T_LIBZIP:8 UINT64_T_LIBZIP:8 SHORT_LIBZIP:2 INT_LIBZIP:4 LONG_LIBZIP:4 LONG_LONG_LIBZIP:8 \
  SIZEOF_OFF_T:8 SIZEOF_SIZE_T:4; do
  sizes+=("-D${s%%:*}=${s##*:}" "-DHAVE_${s%%:*}=TRUE")
done
cmake_build libzip "$(source_of libzip)" "${sizes[@]}" -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
  -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF \
  -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF &

# The workbook writer with the zip and MD5 code its source package carries.
cmake_build libxlsxwriter "$(source_of libxlsxwriter)" -DIOAPI_NO_64=ON &
for job in $(jobs -p); do wait "$job"; done

csv=$(source_of libcsv)
emcc -O2 -c "$csv/libcsv.c" -o "$work/build/libcsv.o"
emar rcs "$prefix/lib/libcsv.a" "$work/build/libcsv.o"
cp "$csv/csv.h" "$prefix/include/"

echo "$versions" > "$prefix/versions"
