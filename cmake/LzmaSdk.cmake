# The LZMA coder of the LZMA SDK (public domain), from Debian's lzma-dev: its sources are compiled here for
# each target and never copied into the repository. The decoder goes into setup.exe, the encoder with its
# match finder into the maker only.
set(LZMA_SDK_DIR /usr/include/lzma)
if(NOT EXISTS ${LZMA_SDK_DIR}/LzmaDec.c OR NOT EXISTS ${LZMA_SDK_DIR}/LzmaEnc.c)
  message(FATAL_ERROR "The LZMA coder's sources (${LZMA_SDK_DIR}/LzmaDec.c, LzmaEnc.c) come from Debian's lzma-dev: "
    "run bash scripts/install-deps.sh")
endif()

# Only the coder's own headers: their folder holds other libraries' headers too, and the cross compiler must not
# see the host's.
set(LZMA_SDK_INCLUDE ${CMAKE_BINARY_DIR}/lzma-sdk)
file(MAKE_DIRECTORY ${LZMA_SDK_INCLUDE})
foreach(header Types.h LzmaDec.h LzmaEnc.h)
  file(CREATE_LINK ${LZMA_SDK_DIR}/${header} ${LZMA_SDK_INCLUDE}/${header} SYMBOLIC)
endforeach()

add_library(lzma_decoder STATIC ${LZMA_SDK_DIR}/LzmaDec.c)
if(WIN32)
  # setup.exe's install spends most of its time in this loop: built for speed rather than size, it takes half
  # a second off the bench's 2.9 s install of an LZMA distribution, for 1.5 KB.
  target_compile_options(lzma_decoder PRIVATE -O2)
endif()
# The encoder and its match finder come in through compress/lzma/LzmaChainSdk.c, which adds the solid chain's one
# function to them; their own folder is on that file's path alone.
add_library(lzma_encoder STATIC ${CMAKE_SOURCE_DIR}/compress/lzma/LzmaChainSdk.c)
set(LZMA_SDK_PRIVATE ${CMAKE_BINARY_DIR}/lzma-sdk-sources)
file(MAKE_DIRECTORY ${LZMA_SDK_PRIVATE})
foreach(file LzFind.c LzFind.h LzHash.h LzmaEnc.c)
  file(CREATE_LINK ${LZMA_SDK_DIR}/${file} ${LZMA_SDK_PRIVATE}/${file} SYMBOLIC)
endforeach()
target_include_directories(lzma_encoder PRIVATE ${LZMA_SDK_PRIVATE} ${LZMA_SDK_INCLUDE} ${CMAKE_SOURCE_DIR})
foreach(lib lzma_decoder lzma_encoder)
  # One thread per coder: the archive writer codes files on every core already.
  target_compile_definitions(${lib} PRIVATE _7ZIP_ST)
  target_include_directories(${lib} SYSTEM INTERFACE ${LZMA_SDK_INCLUDE})
endforeach()
