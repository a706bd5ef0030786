# Hostile bytes on the game port: the framing and the dispatch of what it cuts.
ludo_add_fuzzer(fuzz_net_framing SOURCES ${CMAKE_CURRENT_LIST_DIR}/net_framing_fuzz.cpp
                COMPILES ludo_net ludo_common)
