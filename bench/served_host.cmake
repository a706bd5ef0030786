# Benchmarks against `ludomyra --serve` as a process of its own.
add_library(ludo_bench_host STATIC
    ${CMAKE_CURRENT_LIST_DIR}/served_host.cpp ${CMAKE_CURRENT_LIST_DIR}/served_host.h
    ${CMAKE_CURRENT_LIST_DIR}/figure.h
    ${CMAKE_SOURCE_DIR}/tests/e2e/process_probe.cpp)
target_include_directories(ludo_bench_host PUBLIC ${CMAKE_CURRENT_LIST_DIR}
                                                  ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(ludo_bench_host PRIVATE LUDOMYRA_BINARY="$<TARGET_FILE:ludomyra>")

add_executable(guess_roundtrip_bench ${CMAKE_CURRENT_LIST_DIR}/guess_roundtrip_bench.cpp)
target_link_libraries(guess_roundtrip_bench PRIVATE ludo_bench_host)
target_compile_definitions(guess_roundtrip_bench PRIVATE
    LUDO_BENCH_DICTIONARY="${CMAKE_SOURCE_DIR}/data/words/dictionary.txt")
add_dependencies(guess_roundtrip_bench ludomyra)

add_executable(serve_idle_bench ${CMAKE_CURRENT_LIST_DIR}/serve_idle_bench.cpp)
target_link_libraries(serve_idle_bench PRIVATE ludo_bench_host)
add_dependencies(serve_idle_bench ludomyra)
