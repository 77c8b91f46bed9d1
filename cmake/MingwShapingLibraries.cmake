# HarfBuzz and FriBidi for the Windows builds, compiled from the Debian
# source packages that `tools/install-deps.sh --windows` unpacks (no MinGW
# packages of them exist): the targets vx_harfbuzz and vx_fribidi, static,
# with their public include folders.
set(VEXOGLYPH_MINGW_SOURCES /opt/vexoglyph-mingw/src CACHE PATH
    "Folder holding the unpacked Debian sources of HarfBuzz (harfbuzz/) and FriBidi (fribidi/)")
set(vx_harfbuzz_source ${VEXOGLYPH_MINGW_SOURCES}/harfbuzz)
set(vx_fribidi_source ${VEXOGLYPH_MINGW_SOURCES}/fribidi)
if(NOT EXISTS ${vx_harfbuzz_source}/src/harfbuzz.cc OR NOT EXISTS ${vx_fribidi_source}/lib/fribidi.c)
  message(FATAL_ERROR "The Windows build compiles HarfBuzz and FriBidi from their Debian sources, which are "
                      "not in ${VEXOGLYPH_MINGW_SOURCES}: run `tools/install-deps.sh --windows` (as root), "
                      "or name the folder with -DVEXOGLYPH_MINGW_SOURCES=...")
endif()

# HarfBuzz as its one amalgamated source, which needs no other library;
# the system's own facilities (GDI, Uniscribe, DirectWrite) are left out.
add_library(vx_harfbuzz STATIC ${vx_harfbuzz_source}/src/harfbuzz.cc)
target_include_directories(vx_harfbuzz SYSTEM PUBLIC ${vx_harfbuzz_source}/src)
target_compile_options(vx_harfbuzz PRIVATE -w)  # third-party code: its warnings are not ours to fix
set_target_properties(vx_harfbuzz PROPERTIES CXX_VISIBILITY_PRESET hidden)

# FriBidi: plain C whose tables (lib/*.tab.i) and Unicode version header the
# release tarball holds ready made; only fribidi-config.h is written here.
set(vx_fribidi_sources
  fribidi.c fribidi-arabic.c fribidi-bidi.c fribidi-bidi-types.c fribidi-brackets.c
  fribidi-char-sets.c fribidi-char-sets-cap-rtl.c fribidi-char-sets-cp1255.c fribidi-char-sets-cp1256.c
  fribidi-char-sets-iso8859-6.c fribidi-char-sets-iso8859-8.c fribidi-char-sets-utf8.c
  fribidi-deprecated.c fribidi-joining.c fribidi-joining-types.c fribidi-mirroring.c
  fribidi-run.c fribidi-shape.c)
list(TRANSFORM vx_fribidi_sources PREPEND ${vx_fribidi_source}/lib/)
# The version and interface version as FriBidi's own build (meson.build) states them.
file(STRINGS ${vx_fribidi_source}/meson.build vx_fribidi_project REGEX "^project\\('fribidi'")
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" vx_fribidi_version "${vx_fribidi_project}")
file(STRINGS ${vx_fribidi_source}/meson.build vx_fribidi_interface REGEX "^interface_version = [0-9]+")
string(REGEX MATCH "[0-9]+$" FRIBIDI_INTERFACE_VERSION "${vx_fribidi_interface}")
string(REPLACE "." ";" vx_fribidi_version_parts "${vx_fribidi_version}")
list(GET vx_fribidi_version_parts 0 FRIBIDI_MAJOR_VERSION)
list(GET vx_fribidi_version_parts 1 FRIBIDI_MINOR_VERSION)
list(GET vx_fribidi_version_parts 2 FRIBIDI_MICRO_VERSION)
set(configure_input "fribidi-config.h written by cmake/MingwShapingLibraries.cmake")
set(PACKAGE fribidi)
set(PACKAGE_NAME "GNU FriBidi")
set(PACKAGE_BUGREPORT "https://github.com/fribidi/fribidi/issues/new")
set(FRIBIDI_VERSION ${vx_fribidi_version})
set(SIZEOF_INT 4)
set(FRIBIDI_MSVC_BUILD_PLACEHOLDER "#undef FRIBIDI_BUILT_WITH_MSVC")
configure_file(${vx_fribidi_source}/lib/fribidi-config.h.in ${CMAKE_BINARY_DIR}/fribidi/fribidi-config.h)
add_library(vx_fribidi STATIC ${vx_fribidi_sources})
target_include_directories(vx_fribidi SYSTEM PUBLIC ${vx_fribidi_source}/lib ${CMAKE_BINARY_DIR}/fribidi)
target_compile_definitions(vx_fribidi PUBLIC FRIBIDI_STATIC
  PRIVATE HAVE_STDLIB_H=1 HAVE_STRING_H=1 HAVE_MEMSET=1 HAVE_MEMMOVE=1 HAVE_STRINGIZE=1 STDC_HEADERS=1)
target_compile_options(vx_fribidi PRIVATE -w)
