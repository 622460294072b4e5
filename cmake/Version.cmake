# The project's version as a header (SetupVersion.h) for the programs and their resources: target
# version_info.
configure_file(${CMAKE_CURRENT_LIST_DIR}/SetupVersion.h.in ${CMAKE_BINARY_DIR}/version/SetupVersion.h @ONLY)
add_library(version_info INTERFACE)
target_include_directories(version_info INTERFACE ${CMAKE_BINARY_DIR}/version)
