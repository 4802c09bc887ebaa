# Tests of the Windows build: GoogleTest built from Debian's sources, and every test program run
# under Wine in one session per test run (cmake/wine-session.sh), made by a CTest fixture.
set(SLEDWAY_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian's googletest)")
if(NOT EXISTS ${SLEDWAY_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's sources are not in ${SLEDWAY_GOOGLETEST_SOURCE}: "
                      "run scripts/install-deps.sh --windows")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${SLEDWAY_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(SLEDWAY_WINE_SESSION ${PROJECT_BINARY_DIR}/wine-session)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${SLEDWAY_WINE_SESSION})

add_test(NAME wine_session_start
         COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh start ${SLEDWAY_WINE_SESSION})
add_test(NAME wine_session_stop
         COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh stop ${SLEDWAY_WINE_SESSION})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
