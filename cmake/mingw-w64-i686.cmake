# Toolchain for the 32-bit Windows build (Vexoglyph.DLL for 32-bit hosts, vexoglyph.exe) with MinGW-w64 on Debian.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VX_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
