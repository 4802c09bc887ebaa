# Writes the .addin file that lets the host find sledway.dll without registry keys.
#   SLEDWAY_ADDIN_TEMPLATE  the file's template
#   SLEDWAY_ADDIN_DLL       the library: a full path on the machine that builds it, or a path
#                           relative to the .addin file's own folder (where the two are
#                           installed side by side)
#   SLEDWAY_ADDIN_OUTPUT    where the file goes
# and the add-in's identity (SLEDWAY_ADDIN_CLASS_ID, ...). Run with cmake -P or include()d.
#
# A full path is given as Windows sees it: on Windows the native path, elsewhere the path Wine
# shows, on drive Z:. A relative one keeps no drive (a drive-relative "Z:folder" is no path the
# host can use). Every value is written as XML text, so a folder named "R&D <x>" gives a valid
# file.
function(sledway_addin_xml_text variable text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

function(sledway_write_addin_file)
  if(NOT IS_ABSOLUTE "${SLEDWAY_ADDIN_DLL}")
    string(REPLACE "/" "\\" assembly "${SLEDWAY_ADDIN_DLL}")
  elseif(CMAKE_HOST_WIN32)
    file(TO_NATIVE_PATH "${SLEDWAY_ADDIN_DLL}" assembly)
  else()
    string(REPLACE "/" "\\" assembly "Z:${SLEDWAY_ADDIN_DLL}")
  endif()
  sledway_addin_xml_text(addin_assembly "${assembly}")
  sledway_addin_xml_text(addin_class_id "${SLEDWAY_ADDIN_CLASS_ID}")
  sledway_addin_xml_text(addin_name "${SLEDWAY_ADDIN_NAME}")
  sledway_addin_xml_text(addin_description "${SLEDWAY_ADDIN_DESCRIPTION}")
  sledway_addin_xml_text(addin_supported_after "${SLEDWAY_ADDIN_SUPPORTED_AFTER}")
  configure_file("${SLEDWAY_ADDIN_TEMPLATE}" "${SLEDWAY_ADDIN_OUTPUT}" @ONLY)
endfunction()

sledway_write_addin_file()
