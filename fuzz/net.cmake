# Hostile bytes on the game port: the framing and the dispatch of what it cuts.
# The protocol source is built into the target so that the fuzzer sees its branches.
add_executable(fuzz_net_framing ${CMAKE_CURRENT_LIST_DIR}/net_framing_fuzz.cpp
                                ${CMAKE_SOURCE_DIR}/src/net/protocol.cpp)
target_include_directories(fuzz_net_framing PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(fuzz_net_framing PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_net_framing PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_net_framing PRIVATE Qt6::Core)
