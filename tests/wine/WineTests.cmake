# Tests of the Windows build: GoogleTest cross-built from Debian's sources, every test program run under Wine.
#
# Each test runs through WineSession.sh (CTest's cross-compiling emulator) in
# one Wine session per test run: the fixture vx_wine_session starts it with a
# fresh prefix and ends it after the last test. Tests are discovered when
# CTest starts (the build itself needs no Wine).

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(VX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian's googletest package)")
if(NOT EXISTS ${VX_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(WARNING "No GoogleTest sources in ${VX_GOOGLETEST_SOURCE}: the tests are not built "
                  "(tools/install-deps.sh --windows installs them)")
  set(VX_WINDOWS_TESTS OFF)
  return()
endif()
set(VX_WINDOWS_TESTS ON)
add_subdirectory(${VX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The faces tests convert and compare with the Linux build (those of the
# typographic layout's scripts and fallbacks among them: Devanagari, Thai,
# and a collection with Chinese), and Wine's own symbol faces; all are copied
# into the prefix's Fonts folder.
set(VX_WINE_FONT_GLOBS
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif*.ttf
  /usr/share/fonts/truetype/liberation2/*.ttf
  /usr/share/fonts/truetype/libreoffice/opens___.ttf
  /usr/share/fonts/opentype/cantarell/Cantarell-Regular.otf
  /usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf
  /usr/share/fonts/truetype/tlwg/Garuda.ttf
  /usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  /usr/share/wine/fonts/symbol.ttf
  /usr/share/wine/fonts/wingding.ttf)
file(GLOB VX_WINE_FONTS ${VX_WINE_FONT_GLOBS})
list(FILTER VX_WINE_FONTS EXCLUDE REGEX "Condensed")
string(REPLACE ";" ":" vx_wine_font_path "${VX_WINE_FONTS}")

# Two small scripts that carry the session's settings: CTest hands an
# emulator given as a command with arguments on to test discovery broken, so
# each is a single program.
# The Wine loader of the build's width: the 64-bit one runs the 64-bit build
# in a 64-bit prefix; the 32-bit build keeps Debian's wine, which picks the
# 32-bit loader.
# VX_PE_FORMAT is the image format objdump names for the build's width.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VX_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader the tests run under")
  set(VX_WINE_ARCH win64)
  set(VX_PE_FORMAT pei-x86-64)
else()
  set(VX_WINE_LOADER wine CACHE FILEPATH "Wine loader the tests run under")
  set(VX_WINE_ARCH "")
  set(VX_PE_FORMAT pei-i386)
endif()
set(vx_wine_exports "export 'VX_WINE_PREFIX=${CMAKE_BINARY_DIR}/wine-prefix'\nexport 'VX_WINE_FONTS=${vx_wine_font_path}'\n")
string(APPEND vx_wine_exports "export 'VX_WINE_LOADER=${VX_WINE_LOADER}'\nexport 'VX_WINE_ARCH=${VX_WINE_ARCH}'\n")
foreach(variable IN LISTS VX_TEST_ENV)
  string(APPEND vx_wine_exports "export '${variable}'\n")
endforeach()
set(VX_WINE_SESSION ${CMAKE_BINARY_DIR}/tests/wine-session)
set(VX_WINE_RUN ${CMAKE_BINARY_DIR}/tests/wine-run)
file(CONFIGURE OUTPUT ${VX_WINE_SESSION} CONTENT
  "#!/bin/sh\n# The Wine test session of this build (start or stop).\n${vx_wine_exports}exec bash '${CMAKE_CURRENT_LIST_DIR}/WineSession.sh' \"$@\"\n")
file(CONFIGURE OUTPUT ${VX_WINE_RUN} CONTENT
  "#!/bin/sh\n# Runs a Windows program in the Wine test session of this build.\n${vx_wine_exports}exec bash '${CMAKE_CURRENT_LIST_DIR}/WineSession.sh' run \"$@\"\n")
file(CHMOD ${VX_WINE_SESSION} ${VX_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# A machine that cannot run the build's programs (a kernel without 32-bit
# support cannot run the 32-bit build) still builds every test program, but
# registers only the tests that check the built files: CTest would otherwise
# start each program under Wine just to list its tests.
option(VEXOGLYPH_WINE_TESTS "Run the Windows tests under Wine (off: build them, check only the built files)" ON)
if(VEXOGLYPH_WINE_TESTS)
  add_test(NAME WineSession.StartsWithAFreshPrefix COMMAND ${VX_WINE_SESSION} start)
  add_test(NAME WineSession.EndsAfterTheLastTest COMMAND ${VX_WINE_SESSION} stop)
  set_tests_properties(WineSession.StartsWithAFreshPrefix PROPERTIES FIXTURES_SETUP vx_wine_session TIMEOUT 600)
  set_tests_properties(WineSession.EndsAfterTheLastTest PROPERTIES FIXTURES_CLEANUP vx_wine_session)
else()
  message(STATUS "Windows tests under Wine: built, not registered (VEXOGLYPH_WINE_TESTS=OFF); "
                 "only the checks of the built files run")
endif()

# The session's one display: test programs that show windows take this lock,
# so that no other test's window lies over the pixels one test reads from the
# screen or takes the focus from the control another one types into.
set(VX_WINE_DISPLAY_LOCK vexoglyph_wine_display)

# Runs a GoogleTest program's tests under Wine, in the session.
function(vx_run_under_wine name)
  if(NOT VEXOGLYPH_WINE_TESTS)
    return()
  endif()
  set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${VX_WINE_RUN})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
    PROPERTIES FIXTURES_REQUIRED vx_wine_session ${ARGN})
endfunction()

# A plain test that runs a Windows program under Wine, in the session.
function(vx_add_wine_test name)
  if(NOT VEXOGLYPH_WINE_TESTS)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${VX_WINE_RUN} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED vx_wine_session)
endfunction()
