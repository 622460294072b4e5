# What a release holds (where: cmake/InstallLayout.cmake) and its packages: a Debian package of the native
# build, a zip of the Windows build. `make package` writes both to build/packages; installed binaries are
# stripped in packages and with `cmake --install ... --strip`.
if(NOT SETUP_RELEASE_BUILD)
  return()
endif()

# A native release ships Windows programs that only the win32 build makes: without them nothing is installed.
if(NOT WIN32)
  set(win32_sample_programs ${SETUP_WIN32_BUILD_DIR}/examples/notes.exe ${SETUP_WIN32_BUILD_DIR}/examples/postinst.exe)
  install(CODE "
    foreach(program IN ITEMS ${SETUP_EXE_IN_BUILD_TREE} ${win32_sample_programs})
      if(NOT EXISTS \${program})
        message(FATAL_ERROR \"\${program} is missing: a native release ships the win32 build's setup.exe and \"
          \"sample programs. Build them (cmake --preset win32 && cmake --build --preset win32), or point \"
          \"SETUP_WIN32_BUILD_DIR at another win32 build tree (cmake -DSETUP_WIN32_BUILD_DIR=DIR ${CMAKE_BINARY_DIR}).\")
      endif()
    endforeach()")
endif()

install(TARGETS mksetup RUNTIME DESTINATION ${SETUP_BIN_DIR})
install(FILES README.md DESTINATION ${SETUP_SHARE_DIR})
install(FILES docs/configuration.md DESTINATION ${SETUP_SHARE_DIR}/docs)
install(DIRECTORY docs/images DESTINATION ${SETUP_SHARE_DIR}/docs)
install(DIRECTORY examples/sample/ DESTINATION ${SETUP_SHARE_DIR}/sample)

if(WIN32)
  install(TARGETS setup RUNTIME DESTINATION ${SETUP_SHARE_DIR})
  install(TARGETS notes postinst RUNTIME DESTINATION ${SETUP_SHARE_DIR}/sample/programs)
else()
  install(FILES ${SETUP_EXE_IN_BUILD_TREE} DESTINATION ${SETUP_SHARE_DIR})
  install(FILES ${win32_sample_programs} DESTINATION ${SETUP_SHARE_DIR}/sample/programs)
  install(FILES ${CMAKE_BINARY_DIR}/tools/mksetup/mksetup.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME ${SETUP_TOOL_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maker of setup distributions for 32-bit Windows")
set(CPACK_PACKAGE_CONTACT "setup developers <setup@example.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${SETUP_TOOL_NAME}-${PROJECT_VERSION}-win32)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "mksetup turns a product folder (install.cfg, finstall.cfg and the files they name) into a
distribution for 32-bit Windows: setup.exe, its configuration and the compressed disks. It also
lists, verifies and extracts distributions and archives. The package holds setup.exe, the
documentation and a sample product.")
endif()
include(CPack)
