# The client's figures on the built program (run-benchmarks runs client_bench):
# start-up beside a minimal Qt Widgets window, idle and animation CPU, peak
# memory through a game.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(minimal_qt_window ${CMAKE_CURRENT_LIST_DIR}/minimal_qt_window.cpp)
target_link_libraries(minimal_qt_window PRIVATE Qt6::Widgets)
if(NOT TARGET ludo_delayed_connect) # the tests build it too
    add_library(ludo_delayed_connect MODULE ${CMAKE_SOURCE_DIR}/tests/e2e/delayed_connect.cpp)
    target_link_libraries(ludo_delayed_connect PRIVATE ${CMAKE_DL_LIBS})
endif()
set(client_figures_helpers ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/tests/support)
# Game windows as processes, and a hosting one's port.
set(client_figures_window_sources
    ${CMAKE_SOURCE_DIR}/tests/e2e/gui_process.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/hosting_window.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/raw_client.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/raw_socket.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/event_wait.cpp)
add_executable(client_bench ${CMAKE_CURRENT_LIST_DIR}/client_figures.cpp ${CMAKE_CURRENT_LIST_DIR}/figure.h
    ${client_figures_window_sources})
target_include_directories(client_bench PRIVATE ${client_figures_helpers})
target_link_libraries(client_bench PRIVATE Qt6::Widgets Qt6::Network Qt6::Test)
target_compile_definitions(client_bench PRIVATE
    LUDOMYRA_BINARY="$<TARGET_FILE:ludomyra>"
    MINIMAL_QT_WINDOW="$<TARGET_FILE:minimal_qt_window>"
    DELAYED_CONNECT_LIBRARY="$<TARGET_FILE:ludo_delayed_connect>")
add_dependencies(client_bench ludomyra minimal_qt_window ludo_delayed_connect)
