# A game window, hosting or joined to `ludomyra --serve`, behind a
# colour-flipping flood of 64 KiB chat lines at the host's relay rate while a
# game runs: how late turns come, peak memory (the scenario is shared with
# tests/e2e/chat_flood_test.cpp).
# ludo_delayed_connect, Qt6::Test and client_figures_helpers come from
# client_figures.cmake.
add_executable(colour_flood_bench ${CMAKE_CURRENT_LIST_DIR}/colour_flood_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/figure.h
    ${CMAKE_SOURCE_DIR}/tests/e2e/colour_flood.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/gui_process.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/hosting_window.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/process_probe.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/serve_process.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/raw_client.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/raw_socket.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/event_wait.cpp)
target_include_directories(colour_flood_bench PRIVATE ${client_figures_helpers})
target_link_libraries(colour_flood_bench PRIVATE Qt6::Widgets Qt6::Network Qt6::Test)
target_compile_definitions(colour_flood_bench PRIVATE
    LUDOMYRA_BINARY="$<TARGET_FILE:ludomyra>"
    DELAYED_CONNECT_LIBRARY="$<TARGET_FILE:ludo_delayed_connect>")
add_dependencies(colour_flood_bench ludomyra ludo_delayed_connect)
