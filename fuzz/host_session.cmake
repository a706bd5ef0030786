# Hostile peers against the game host: scripts of connections, messages and
# timer ticks driven through HostSession. The host's sources (without its
# sockets) are built into the target so that libFuzzer sees their branches.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "fuzz_host_session needs clang (CC=clang CXX=clang++): skipped")
    return()
endif()
set(fuzz_host_session_sources
    ${CMAKE_SOURCE_DIR}/src/common/random.cpp
    ${CMAKE_SOURCE_DIR}/src/net/protocol.cpp
    ${CMAKE_SOURCE_DIR}/src/host/computer_player.cpp
    ${CMAKE_SOURCE_DIR}/src/host/guess_judge.cpp
    ${CMAKE_SOURCE_DIR}/src/host/host_inbox.cpp
    ${CMAKE_SOURCE_DIR}/src/host/host_session.cpp
    ${CMAKE_SOURCE_DIR}/src/host/login_messages.cpp
    ${CMAKE_SOURCE_DIR}/src/host/referee.cpp
    ${CMAKE_SOURCE_DIR}/src/host/seating.cpp
    ${CMAKE_SOURCE_DIR}/src/host/sender_identity.cpp
    ${CMAKE_SOURCE_DIR}/src/host/word_lists.cpp)
add_executable(fuzz_host_session ${CMAKE_CURRENT_LIST_DIR}/host_session_fuzz.cpp
                                 ${fuzz_host_session_sources})
target_include_directories(fuzz_host_session PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(fuzz_host_session PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined
                                                 -fno-sanitize-recover=undefined)
target_link_options(fuzz_host_session PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_host_session PRIVATE Qt6::Core)
