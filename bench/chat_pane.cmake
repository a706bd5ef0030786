# The chat pane under hostile or long-running chat: 64 KiB lines and full panes.
add_executable(chat_pane_bench ${CMAKE_CURRENT_LIST_DIR}/chat_pane_bench.cpp)
target_link_libraries(chat_pane_bench PRIVATE ludo_client benchmark::benchmark)
