#include "cli/deflate_level.h"

#include <zlib.h>

#ifdef __EMSCRIPTEN__
// The browser's zlib is linked in whole, its own deflateInit2_ renamed.
extern "C" int zlib_deflateInit2_(z_streamp, int, int, int, int, int, const char*, int);
#else
#include <dlfcn.h>
#endif

namespace {

int fastDeflates = 0;

using DeflateInit2 = int (*)(z_streamp, int, int, int, int, int, const char*, int);

}  // namespace

// Stands in for zlib's own, which it calls with the level changed: the
// executable exports it, so the zip writer's calls come here first.
extern "C" int deflateInit2_(z_streamp stream, int level, int method, int windowBits, int memLevel, int strategy,
                             const char* version, int streamSize) {
#ifdef __EMSCRIPTEN__
    static const DeflateInit2 zlib = zlib_deflateInit2_;
#else
    static const auto zlib = reinterpret_cast<DeflateInit2>(dlsym(RTLD_NEXT, "deflateInit2_"));
#endif
    if (!zlib) return Z_VERSION_ERROR;
    if (fastDeflates > 0 && level == Z_DEFAULT_COMPRESSION) level = Z_BEST_SPEED;
    return zlib(stream, level, method, windowBits, memLevel, strategy, version, streamSize);
}

namespace kaldora::cli {

FastDeflate::FastDeflate() { ++fastDeflates; }
FastDeflate::~FastDeflate() { --fastDeflates; }

}  // namespace kaldora::cli
