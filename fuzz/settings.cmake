# A damaged glenmorra.ini against the profile file reader and the player's settings.
ludo_add_fuzzer(fuzz_settings
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_fuzz.cpp
            ${CMAKE_SOURCE_DIR}/src/client/core/player_settings.cpp
    COMPILES ludo_common)
