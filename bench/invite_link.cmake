# A friend's window from a hosting window's invite link to its seat
# (run-benchmarks runs invite_link_bench). Qt6::Test and the helpers come
# from client_figures.cmake.
add_executable(invite_link_bench ${CMAKE_CURRENT_LIST_DIR}/invite_link_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/figure.h ${client_figures_window_sources})
target_include_directories(invite_link_bench PRIVATE ${client_figures_helpers})
target_link_libraries(invite_link_bench PRIVATE ludo_app Qt6::Widgets Qt6::Network Qt6::Test)
target_compile_definitions(invite_link_bench PRIVATE LUDOMYRA_BINARY="$<TARGET_FILE:ludomyra>")
add_dependencies(invite_link_bench ludomyra)
