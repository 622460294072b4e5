# Warnings are errors on every preset; applied to our targets only, not to GoogleTest.
set(SETUP_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
    -Wimplicit-fallthrough -Werror)

if(SETUP_FUZZ)
  # Every library is instrumented for coverage and checked; fuzz targets add the libFuzzer main.
  set(SETUP_FUZZ_SECONDS 20 CACHE STRING "Length of each fuzz target's smoke run in CTest")
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(SETUP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(SETUP_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Our own libraries and programs call this; it keeps the warning set in one place.
function(setup_target_warnings target)
  target_compile_options(${target} PRIVATE ${SETUP_WARNINGS})
endfunction()
