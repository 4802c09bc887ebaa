# Compile settings shared by every target of our own: warnings as errors, and the
# sanitizers when SLEDWAY_SANITIZE is on.
function(sledway_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  if(SLEDWAY_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# A GoogleTest executable of our own, registered with CTest.
function(sledway_add_test target)
  add_executable(${target} ${ARGN})
  sledway_target_defaults(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/.ci/lsan.supp")
endfunction()
