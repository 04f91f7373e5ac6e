# GoogleTest from Debian's source package, built with the cross compiler.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources hold characters that GBK has no byte for (<chrono>'s micro sign).
foreach(t gtest gtest_main gmock gmock_main)
  get_target_property(opts ${t} COMPILE_OPTIONS)
  list(REMOVE_ITEM opts -fexec-charset=GBK)
  set_target_properties(${t} PROPERTIES COMPILE_OPTIONS "${opts}")
endforeach()
include(GoogleTest)

# veradin_add_test(<name> SOURCES ... [LIBS ...] [GUI])
# A GUI suite is registered twice: once under the Chinese code page (936) and once
# under a Western one (1252), because the program must read right on both.
function(veradin_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VERADIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VERADIN_BINARY_DIR="${CMAKE_BINARY_DIR}"
    VERADIN_CORPUS_DIR="${VERADIN_SOURCES}")
  # One variable only: ctest's discovery flattens lists of properties.
  set(zh "VERADIN_LOCALE=zh_CN.UTF-8")
  set(en "VERADIN_LOCALE=C.UTF-8")
  if(T_GUI)
    gtest_discover_tests(${name} TEST_PREFIX "${name}.cp936." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES ENVIRONMENT "${zh}" TIMEOUT 180 RUN_SERIAL TRUE)
    gtest_discover_tests(${name} TEST_PREFIX "${name}.cp1252." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES ENVIRONMENT "${en}" TIMEOUT 180 RUN_SERIAL TRUE)
  else()
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES ENVIRONMENT "${zh}" TIMEOUT 120)
  endif()
endfunction()
