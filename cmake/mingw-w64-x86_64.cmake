# Toolchain for the 64-bit Windows build (Vexoglyph.DLL for 64-bit hosts, vexoglyph.exe) with MinGW-w64 on Debian.
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VX_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
