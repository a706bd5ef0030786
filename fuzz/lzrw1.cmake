# Hostile tally files and blocks against the tally compressor.
ludo_add_fuzzer(fuzz_lzrw1 SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lzrw1_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/src/tally/lzrw1kh.cpp
    ${CMAKE_SOURCE_DIR}/src/tally/lzrw1_endpoints.cpp
    ${CMAKE_SOURCE_DIR}/src/tally/tlzrw1.cpp)
