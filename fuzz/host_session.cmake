# Hostile peers against the game host: scripts of connections, messages,
# timer ticks and peers that stop reading, driven through HostSession (the
# host without its sockets) and a write queue for each connection.
ludo_add_fuzzer(fuzz_host_session SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/host_session_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/src/common/random.cpp
    ${CMAKE_SOURCE_DIR}/src/net/game_messages.cpp
    ${CMAKE_SOURCE_DIR}/src/net/player_messages.cpp
    ${CMAKE_SOURCE_DIR}/src/net/player_text.cpp
    ${CMAKE_SOURCE_DIR}/src/net/protocol.cpp
    ${CMAKE_SOURCE_DIR}/src/net/write_queue.cpp
    ${CMAKE_SOURCE_DIR}/src/host/computer_player.cpp
    ${CMAKE_SOURCE_DIR}/src/host/guess_judge.cpp
    ${CMAKE_SOURCE_DIR}/src/host/host_inbox.cpp
    ${CMAKE_SOURCE_DIR}/src/host/host_session.cpp
    ${CMAKE_SOURCE_DIR}/src/host/login_messages.cpp
    ${CMAKE_SOURCE_DIR}/src/host/referee.cpp
    ${CMAKE_SOURCE_DIR}/src/host/seating.cpp
    ${CMAKE_SOURCE_DIR}/src/host/sender_identity.cpp
    ${CMAKE_SOURCE_DIR}/src/host/word_lists.cpp)
