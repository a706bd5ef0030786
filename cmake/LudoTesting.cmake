# ludo_add_test(NAME SOURCES a.cpp b.cpp LIBS ludo_net ...)
# One GoogleTest binary per call; every test case becomes a CTest test and
# runs headless.
include(GoogleTest)
function(ludo_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock
                                          Qt6::Test)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 30
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LUDOMYRA_TEST=1" TIMEOUT 120)
endfunction()
