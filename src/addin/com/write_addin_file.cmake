# Writes the .addin file that lets the host find sledway.dll without registry keys.
#   SLEDWAY_ADDIN_TEMPLATE  the file's template
#   SLEDWAY_ADDIN_DLL       the library's path on the machine that builds or installs it
#   SLEDWAY_ADDIN_OUTPUT    where the file goes
# and the add-in's identity (SLEDWAY_ADDIN_CLASS_ID, ...). The host needs the library's Windows
# path: on Windows the native path, elsewhere the path Wine shows, on drive Z:.
if(CMAKE_HOST_WIN32)
  file(TO_NATIVE_PATH "${SLEDWAY_ADDIN_DLL}" SLEDWAY_ADDIN_ASSEMBLY)
else()
  string(REPLACE "/" "\\" SLEDWAY_ADDIN_ASSEMBLY "Z:${SLEDWAY_ADDIN_DLL}")
endif()
configure_file("${SLEDWAY_ADDIN_TEMPLATE}" "${SLEDWAY_ADDIN_OUTPUT}" @ONLY)
