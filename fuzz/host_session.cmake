# Hostile peers against the game host: scripts of connections, messages,
# timer ticks and peers that stop reading, driven through HostSession (the
# host without its sockets) and a write queue for each connection.
ludo_add_fuzzer(fuzz_host_session SOURCES ${CMAKE_CURRENT_LIST_DIR}/host_session_fuzz.cpp
                COMPILES ludo_host ludo_net ludo_common)
