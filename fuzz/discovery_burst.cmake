# Bursts of hostile datagrams on loopback at a host's discovery responder and
# at a finder: what each lists or answers, and that both still hear after.
ludo_add_fuzzer(fuzz_discovery_burst SOURCES ${CMAKE_CURRENT_LIST_DIR}/discovery_burst_fuzz.cpp
                COMPILES ludo_host ludo_net ludo_common)
