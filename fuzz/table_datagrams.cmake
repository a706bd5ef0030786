# Hostile datagrams on the discovery port, and hostile replies to a finder.
ludo_add_fuzzer(fuzz_table_datagrams SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/table_datagrams_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/src/net/table_datagrams.cpp
    ${CMAKE_SOURCE_DIR}/src/net/game_type.cpp
    ${CMAKE_SOURCE_DIR}/src/net/player_text.cpp)
