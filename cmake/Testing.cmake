# Test executables: native ones are discovered test by test; Windows ones run whole under Wine,
# one Wine process per executable, in one of the prefixes that the `wine` fixture prepares.
enable_testing()

# setup_test_path(VAR path): path as the test programs see it; Windows programs under Wine see the
# Linux root as drive Z:. The backslashes are doubled for use in a C string.
function(setup_test_path var path)
  if(CMAKE_CROSSCOMPILING)
    string(REPLACE "/" "\\\\" path "Z:${path}")
  endif()
  set(${var} "${path}" PARENT_SCOPE)
endfunction()

# The shared test data: streams that other archivers wrote (README: which tests read it). A clone of the
# project alone has none; those tests are then skipped, saying where the data was looked for.
set(SETUP_TESTDATA_DIR ${CMAKE_SOURCE_DIR}/../shared/testdata CACHE PATH
  "The shared test data (streams written by other archivers); default ../shared/testdata beside the project")
get_filename_component(SETUP_TESTDATA ${SETUP_TESTDATA_DIR} REALPATH BASE_DIR ${CMAKE_SOURCE_DIR})
setup_test_path(testdata_path ${SETUP_TESTDATA})
# Debian's own texts, which every Debian system carries: real text for the codecs without the shared data.
setup_test_path(debian_texts_path /usr/share/common-licenses)
set(SETUP_TEST_PATHS SETUP_TESTDATA_DIR="${testdata_path}" SETUP_DEBIAN_TEXTS="${debian_texts_path}")

if(CMAKE_CROSSCOMPILING)
  # Debian ships the GoogleTest sources; build them for i686 with our toolchain.
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(SETUP_GTEST_MAIN GTest::gtest_main)
  set(SETUP_GMOCK GTest::gmock)
  set(SETUP_WINE_DIR ${CMAKE_BINARY_DIR}/wine)

  # Tests under `ctest -j` must not see one another's files, registry, processes or windows, so a run has
  # several prefixes, each with its display: CTest hands each Windows test one slot of the resource "wine",
  # whose id names its prefix (cmake/wine-run.sh), and no other test gets that slot until the test ends.
  # A prefix costs a wineboot (about 20 s) and 600 MB, so there are as many as tests run at once, not one
  # per test. CTEST_RESOURCE_SPEC_FILE tells ctest the slots, through the preset or not.
  cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
  if(cores GREATER 4)
    set(cores 4)
  endif()
  set(SETUP_WINE_PREFIXES ${cores} CACHE STRING "Wine prefixes of a test run: how many Windows tests run at once")
  set(slots)
  foreach(id RANGE 1 ${SETUP_WINE_PREFIXES})
    list(APPEND slots "{\"id\": \"${id}\", \"slots\": 1}")
    add_test(NAME wine.prefix.${id} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --fresh)
    set_tests_properties(wine.prefix.${id} PROPERTIES FIXTURES_SETUP wine
      ENVIRONMENT SETUP_WINE_DIR=${SETUP_WINE_DIR}/${id})
    add_test(NAME wine.shutdown.${id} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --shutdown)
    set_tests_properties(wine.shutdown.${id} PROPERTIES FIXTURES_CLEANUP wine
      ENVIRONMENT SETUP_WINE_DIR=${SETUP_WINE_DIR}/${id})
  endforeach()
  list(JOIN slots ", " slots)
  set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/wine-prefixes.json)
  file(WRITE ${CTEST_RESOURCE_SPEC_FILE}
    "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine\": [${slots}]}]}\n")
  # What a test that runs Windows programs needs: set_tests_properties(test PROPERTIES ${SETUP_WINE_TEST}).
  set(SETUP_WINE_TEST FIXTURES_REQUIRED wine RESOURCE_GROUPS wine:1 ENVIRONMENT SETUP_WINE_DIR=${SETUP_WINE_DIR})
elseif(NOT SETUP_FUZZ)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  set(SETUP_GTEST_MAIN GTest::gtest_main)
  set(SETUP_GMOCK GTest::gmock)
endif()

# setup_add_test(NAME SOURCES src... LIBS lib... [DEFINITIONS def...] [DEPENDS target...] [TIMEOUT seconds]
#                [LABELS label...] [SHARED_DATA gtest-filter]): a label lets a slow program run apart (ctest -L
# large) or be left out (-LE). SHARED_DATA names the tests that read the shared test data: a Windows program
# runs them as a CTest test of its own, NAME.shared_data, which CTest reports as skipped without the data.
# (Native tests are CTest tests one by one, and a skipped one is reported so anyway.)
function(setup_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT;SHARED_DATA" "SOURCES;LIBS;DEFINITIONS;DEPENDS;LABELS" ${ARGN})
  if(SETUP_FUZZ)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # A Windows test program speaks UTF-8 with the system, as setup.exe does.
    list(APPEND T_SOURCES ${PROJECT_SOURCE_DIR}/testsupport/win32/Utf8Process.rc)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${SETUP_GTEST_MAIN} ${SETUP_GMOCK})
  setup_target_warnings(${name})
  target_compile_definitions(${name} PRIVATE ${SETUP_TEST_PATHS} ${T_DEFINITIONS})
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  set(properties TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    list(APPEND properties LABELS ${T_LABELS})
  endif()
  if(CMAKE_CROSSCOMPILING)
    set(wine_properties ${SETUP_WINE_TEST} ${properties})
    if(T_SHARED_DATA)
      add_test(NAME ${name} COMMAND ${name} --gtest_color=no --gtest_filter=-${T_SHARED_DATA})
      add_test(NAME ${name}.shared_data COMMAND ${name} --gtest_color=no --gtest_filter=${T_SHARED_DATA})
      set_tests_properties(${name}.shared_data PROPERTIES ${wine_properties}
        SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
    else()
      add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    endif()
    set_tests_properties(${name} PROPERTIES ${wine_properties})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
  endif()
endfunction()

# setup_add_fuzzer(NAME SOURCES src... LIBS lib... [SEEDS dir...]): a libFuzzer target (fuzz preset)
# with a short smoke run as a CTest test; a longer run by hand: build/fuzz/fuzz/NAME CORPUS_DIR.
function(setup_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;SEEDS" ${ARGN})
  if(NOT SETUP_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  setup_target_warnings(${name})
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME fuzz.${name} COMMAND ${name} -max_total_time=${SETUP_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
    -print_final_stats=1 ${corpus} ${F_SEEDS})
endfunction()

# setup_add_benchmark(NAME SOURCES src... LIBS lib...): a Google Benchmark program (native preset).
function(setup_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(CMAKE_CROSSCOMPILING OR SETUP_FUZZ OR SETUP_SANITIZE)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  setup_target_warnings(${name})
  target_compile_definitions(${name} PRIVATE ${SETUP_TEST_PATHS})
endfunction()
