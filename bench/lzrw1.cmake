# LZRW1/KH block coding beside liblz4 on the same data (bench/run-benchmarks).
find_path(LZ4_INCLUDE_DIR lz4.h)
find_library(LZ4_LIBRARY lz4)
if(NOT LZ4_INCLUDE_DIR OR NOT LZ4_LIBRARY)
    message(STATUS "liblz4 not found: lzrw1_bench skipped")
    return()
endif()
add_executable(lzrw1_bench ${CMAKE_CURRENT_LIST_DIR}/lzrw1_bench.cpp)
target_include_directories(lzrw1_bench PRIVATE ${LZ4_INCLUDE_DIR})
target_link_libraries(lzrw1_bench PRIVATE ludo_tallydata benchmark::benchmark ${LZ4_LIBRARY})
target_compile_definitions(lzrw1_bench PRIVATE
    LUDO_BENCH_DICTIONARY="${CMAKE_SOURCE_DIR}/data/words/dictionary.txt")
