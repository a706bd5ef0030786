# A hostile host against the game client's main window, headless.
ludo_add_fuzzer(fuzz_client_dispatch SOURCES ${CMAKE_CURRENT_LIST_DIR}/client_dispatch_fuzz.cpp)
target_link_libraries(fuzz_client_dispatch PRIVATE ludo_client ludo_tally)
target_include_directories(fuzz_client_dispatch PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
