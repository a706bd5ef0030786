# Link to seated through a home router (miniupnpd in network namespaces, as
# root): a friend's window on "the internet" joins a table hosted behind it.
add_executable(router_seated_bench ${CMAKE_CURRENT_LIST_DIR}/router_seated_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/figure.h
    ${CMAKE_SOURCE_DIR}/tests/e2e/gui_process.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/router_lab.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/event_wait.cpp)
target_include_directories(router_seated_bench PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_SOURCE_DIR}/tests/support)
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(router_seated_bench PRIVATE Qt6::Widgets Qt6::Network Qt6::Test)
target_compile_definitions(router_seated_bench PRIVATE
    LUDOMYRA_BINARY="$<TARGET_FILE:ludomyra>"
    ROUTER_LAB_SCRIPT="${CMAKE_SOURCE_DIR}/tests/lab/router-lab")
add_dependencies(router_seated_bench ludomyra)
