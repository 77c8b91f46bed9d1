# The settings both Windows toolchains share (Debian's MinGW-w64 cross-compilers).
# The including toolchain file sets CMAKE_SYSTEM_PROCESSOR and VX_MINGW_PREFIX
# (i686-w64-mingw32 or x86_64-w64-mingw32) first.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: their C++ library has std::mutex and std::thread,
# which GoogleTest needs.
set(CMAKE_C_COMPILER ${VX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VX_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${VX_MINGW_PREFIX}-objdump CACHE FILEPATH "objdump for Windows images")

set(CMAKE_FIND_ROOT_PATH /usr/${VX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config would otherwise answer with the build machine's own (Linux)
# libraries, FreeType and fontconfig among them.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/${VX_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "/usr/${VX_MINGW_PREFIX}")

# SSE2 arithmetic, as on x86-64 Linux: with x87 registers intermediate
# results keep extra precision and sizes round differently (ceil(200 * 0.8)
# comes out 161); the 64-bit compiler uses SSE2 anyway. Static runtime: the
# DLL and the program import only system DLLs, so a host needs nothing but
# the one file.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
