# The computer player over many words, as it always played and as a fair
# player under either marks rule: words found, rows, cost of a move.
add_executable(klot_bench ${CMAKE_CURRENT_LIST_DIR}/klot_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/figure.h)
target_include_directories(klot_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/host)
target_link_libraries(klot_bench PRIVATE ludo_host)
