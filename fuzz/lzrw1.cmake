# libFuzzer target for the tally compressor: hostile tally files and blocks.
# The compressor's sources are built into the target so that libFuzzer sees
# their coverage.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "fuzz_lzrw1 needs clang (CC=clang CXX=clang++): skipped")
    return()
endif()
set(fuzz_lzrw1_sources
    ${CMAKE_SOURCE_DIR}/src/tally/lzrw1kh.cpp
    ${CMAKE_SOURCE_DIR}/src/tally/lzrw1_endpoints.cpp
    ${CMAKE_SOURCE_DIR}/src/tally/tlzrw1.cpp
    ${CMAKE_SOURCE_DIR}/src/tally/tlzrw1.h)
add_executable(fuzz_lzrw1 ${CMAKE_CURRENT_LIST_DIR}/lzrw1_fuzz.cpp ${fuzz_lzrw1_sources})
target_include_directories(fuzz_lzrw1 PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(fuzz_lzrw1 PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined
                                          -fno-sanitize-recover=undefined)
target_link_options(fuzz_lzrw1 PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_lzrw1 PRIVATE Qt6::Core)
