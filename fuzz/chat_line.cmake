# Hostile chat from the host: relayed lines into the chat pane (offscreen),
# and colour texts into their reader.
ludo_add_fuzzer(fuzz_chat_line
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/chat_line_fuzz.cpp
            ${CMAKE_SOURCE_DIR}/src/client/core/access_keys.cpp
            ${CMAKE_SOURCE_DIR}/src/client/chat/chat_lines_paint.cpp
            ${CMAKE_SOURCE_DIR}/src/client/chat/chat_pane.cpp
            ${CMAKE_SOURCE_DIR}/src/client/chat/colour_text.cpp
            ${CMAKE_SOURCE_DIR}/src/client/look/message_box.cpp
            ${CMAKE_SOURCE_DIR}/src/client/chat/plain_text.cpp
            ${CMAKE_SOURCE_DIR}/src/client/chat/received_chat.cpp
    COMPILES ludo_net ludo_plainwidgets ludo_common)
target_link_libraries(fuzz_chat_line PRIVATE Qt6::Widgets)
