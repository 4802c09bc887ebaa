# Compile settings shared by every target of our own: warnings (errors only when asked for,
# since another compiler or optimisation level may warn where ours does not), the sanitizers
# when SLEDWAY_SANITIZE is on, and libFuzzer's coverage when SLEDWAY_FUZZ is on.
option(SLEDWAY_WARNINGS_AS_ERRORS "Fail the build on any compiler warning" OFF)
option(SLEDWAY_FUZZ "Build the libFuzzer targets in fuzz/ (clang), with ASan and UBSan" OFF)

if(SLEDWAY_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "SLEDWAY_FUZZ needs clang (libFuzzer); configure with the fuzz preset")
endif()

function(sledway_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(SLEDWAY_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(SLEDWAY_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(SLEDWAY_FUZZ)
    # Every library a fuzz target reaches is instrumented, so libFuzzer sees its branches.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# A GoogleTest executable of our own, registered with CTest.
function(sledway_add_test target)
  add_executable(${target} ${ARGN})
  sledway_target_defaults(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
  if(WIN32)
    # One test per program, run under Wine in the session the wine fixture starts: listing the
    # cases at build or test time would need Wine before the fixture has made its prefix.
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/.ci/lsan.supp")
  endif()
endfunction()

# A libFuzzer executable of our own (fuzz/); libFuzzer supplies main().
function(sledway_add_fuzzer target)
  add_executable(${target} ${ARGN})
  sledway_target_defaults(${target})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endfunction()
