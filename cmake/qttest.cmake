# pallisto_add_qtest(NAME source.cpp LIBS lib...): one QtTest executable, registered
# with CTest and run headless.
function(pallisto_add_qtest name source)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE Qt6::Test pallisto_warnings ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        # The state folder too: a test that forgot its own store must not touch the user's.
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false;XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state"
        TIMEOUT 120)
endfunction()
