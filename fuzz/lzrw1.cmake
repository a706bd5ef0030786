# Hostile tally files and blocks against the tally compressor.
ludo_add_fuzzer(fuzz_lzrw1 SOURCES ${CMAKE_CURRENT_LIST_DIR}/lzrw1_fuzz.cpp COMPILES ludo_lzrw1)
