# olvane_add_test(NAME src... LIBS lib...): one Qt Test executable registered with CTest,
# headless, with settings files isolated in a folder of its own.
set(OLVANE_LSAN_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/tests/lsan.supp)

function(olvane_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport Qt5::Test Qt5::Core)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(cfg ${CMAKE_CURRENT_BINARY_DIR}/${name}.config)
  file(MAKE_DIRECTORY ${cfg})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${cfg};ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1;LSAN_OPTIONS=suppressions=${OLVANE_LSAN_SUPPRESSIONS}:print_suppressions=0")
endfunction()
