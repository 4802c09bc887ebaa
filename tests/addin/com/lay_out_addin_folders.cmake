# Lays out the add-in in folders of awkward names for installed_add_in_test.cpp:
#   cmake -DBUILD_DIR=... -DFOLDERS=... -DADDIN_SOURCES=src/addin/com -P lay_out_addin_folders.cmake
# FOLDERS/"Sledway Путь 路径 R&D 'x'": the build installed with a relative prefix, as
#   `cmake --install build/windows --prefix NAME` run in FOLDERS installs it;
# FOLDERS/escaped/Sledway.addin: an .addin file naming by its full path a library in a folder
#   named with XML's specials, as the build writes it beside the library.
file(REMOVE_RECURSE "${FOLDERS}")
file(MAKE_DIRECTORY "${FOLDERS}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "Sledway Путь 路径 R&D 'x'"
                WORKING_DIRECTORY "${FOLDERS}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(SLEDWAY_ADDIN_TEMPLATE "${ADDIN_SOURCES}/Sledway.addin.in")
set(SLEDWAY_ADDIN_CLASS_ID "{1ED471A1-4725-4827-B91F-4EE510CB2B8D}")
set(SLEDWAY_ADDIN_NAME "Sledway")
set(SLEDWAY_ADDIN_DESCRIPTION "Paths & <curves>")
set(SLEDWAY_ADDIN_SUPPORTED_AFTER "25..")
set(SLEDWAY_ADDIN_DLL "${FOLDERS}/escaped/R&D <x> \"Путь\" 路径/sledway.dll")
set(SLEDWAY_ADDIN_OUTPUT "${FOLDERS}/escaped/Sledway.addin")
include("${ADDIN_SOURCES}/write_addin_file.cmake")
