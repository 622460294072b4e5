# Where a release puts things, and where the native build takes what only the win32 build makes.
#
#   Linux:   bin/mksetup; share/mksetup/ with setup.exe, README.md, docs/ and sample/;
#            share/man/man1/mksetup.1.gz
#   Windows: mksetup.exe and setup.exe side by side, with README.md, docs\ and sample\
#
# The installed mksetup finds setup.exe relative to its own folder (SETUP_EXE_FROM_PROGRAM); a mksetup that
# runs from its build tree falls back to the build tree's setup.exe (SETUP_EXE_IN_BUILD_TREE).
set(SETUP_TOOL_NAME mksetup)

# Sanitizer and fuzz builds are for tests only: no install rules, man page or packages.
if(SETUP_SANITIZE OR SETUP_FUZZ OR SETUP_TSAN)
  set(SETUP_RELEASE_BUILD OFF)
else()
  set(SETUP_RELEASE_BUILD ON)
endif()

if(WIN32)
  set(SETUP_BIN_DIR .)
  set(SETUP_SHARE_DIR .)
  set(SETUP_EXE_IN_BUILD_TREE ${CMAKE_BINARY_DIR}/app/setup.exe)
else()
  include(GNUInstallDirs)
  set(SETUP_BIN_DIR ${CMAKE_INSTALL_BINDIR})
  set(SETUP_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/${SETUP_TOOL_NAME})
  # setup.exe and the sample's two programs are Windows programs: a native release ships the win32 build's.
  get_filename_component(win32_beside ${CMAKE_BINARY_DIR}/../win32 ABSOLUTE)
  set(SETUP_WIN32_BUILD_DIR ${win32_beside} CACHE PATH
    "The win32 build tree whose setup.exe and sample programs this build ships (default: build/win32 beside it)")
  set(SETUP_EXE_IN_BUILD_TREE ${SETUP_WIN32_BUILD_DIR}/app/setup.exe)
endif()
file(RELATIVE_PATH SETUP_EXE_FROM_PROGRAM /${SETUP_BIN_DIR} /${SETUP_SHARE_DIR}/setup.exe)
