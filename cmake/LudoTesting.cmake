# ludo_add_test(NAME [QT_MAIN] SOURCES a.cpp b.cpp LIBS ludo_net ...)
# One GoogleTest binary per call; every test case becomes a CTest test and
# runs headless. QT_MAIN gives the binary a main that creates one
# QApplication for the whole run.
include(GoogleTest)

function(ludo_add_test name)
    cmake_parse_arguments(ARG "QT_MAIN" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_QT_MAIN)
        set(main_lib ludo_test_main)
    else()
        set(main_lib GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main_lib} GTest::gtest GTest::gmock
                                          Qt6::Test)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 30
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
