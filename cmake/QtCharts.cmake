# Qt Charts as Qt6::Charts. Its CMake package also asks for Qt OpenGL's development files,
# which a machine with qt6-charts-dev need not have; the library and the headers of
# qt6-charts-dev are all that building against it takes, so they serve when the package fails.
find_package(Qt6Charts QUIET)
if(NOT TARGET Qt6::Charts)
  find_library(SLEDWAY_QT6_CHARTS_LIBRARY Qt6Charts REQUIRED)
  find_path(SLEDWAY_QT6_INCLUDE_DIR QtCharts/QChart PATH_SUFFIXES qt6 REQUIRED)
  add_library(Qt6::Charts UNKNOWN IMPORTED)
  set_target_properties(Qt6::Charts PROPERTIES
    IMPORTED_LOCATION "${SLEDWAY_QT6_CHARTS_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${SLEDWAY_QT6_INCLUDE_DIR}/QtCharts"
    INTERFACE_LINK_LIBRARIES Qt6::Widgets)
endif()
