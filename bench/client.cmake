# The game program's own figures: start-up against a minimal Qt Widgets
# program, and what the solo game costs while idle.
add_executable(minimal_qt_window ${CMAKE_CURRENT_LIST_DIR}/minimal_qt_window.cpp)
target_link_libraries(minimal_qt_window PRIVATE Qt6::Widgets)

add_executable(client_bench ${CMAKE_CURRENT_LIST_DIR}/client_bench.cpp)
target_link_libraries(client_bench PRIVATE ludo_bench_host)
target_compile_definitions(client_bench PRIVATE
    LUDOMYRA_BINARY="$<TARGET_FILE:ludomyra>"
    MINIMAL_QT_WINDOW="$<TARGET_FILE:minimal_qt_window>")
add_dependencies(client_bench ludomyra minimal_qt_window)
