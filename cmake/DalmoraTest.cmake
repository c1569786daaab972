# dalmora_add_test(NAME SOURCES src... LIBS lib...)
# One GoogleTest binary per module; every test case becomes its own CTest test.
# Tests that touch settings or data use testsupport::TempFolders (tests/support/TestSupport.h)
# and set DALMORA_TODAY themselves where "today" matters. DALMORA_SOURCE_DIR gives them the
# shipped data (data/master), DALMORA_SHARED_DATA_DIR the public data beside the project.
function(dalmora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    DALMORA_SHARED_DATA_DIR="${DALMORA_SHARED_DATA_DIR}"
    DALMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    DALMORA_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
    DALMORA_CLI_PATH="$<TARGET_FILE:dalmora>")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
endfunction()
