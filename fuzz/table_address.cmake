# Hostile link and address text against the one reader of table addresses,
# and hosts against the socket's look-up: only dotted decimal is an address.
ludo_add_fuzzer(fuzz_table_address SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_address_fuzz.cpp
                COMPILES ludo_net ludo_common)
