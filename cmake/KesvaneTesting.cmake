# kesvane_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# One GoogleTest executable registered with CTest. Every test runs without a
# display and, as root, with Chromium's sandbox off; network tests only talk
# to servers they start on 127.0.0.1.
function(kesvane_add_test)
    cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
    target_compile_definitions(${ARG_NAME} PRIVATE KESVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${ARG_NAME} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --no-sandbox --disable-background-networking --disable-component-update;LC_ALL=C.UTF-8")
endfunction()
