# meridan_qt_component(<target> LIBS ...)
# A static library made of every source, header and form of the calling
# folder (its tests/ folder excluded), and one QtTest executable for every
# tests/tst_*.cpp, so several people can add files without editing the list.
function(meridan_qt_component target)
  cmake_parse_arguments(ARG "" "" "LIBS;TEST_LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
    "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
    "${CMAKE_CURRENT_SOURCE_DIR}/*.ui"
    "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
  add_library(${target} STATIC ${_src})
  target_include_directories(${target} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  file(GLOB _tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tests/tst_*.cpp")
  foreach(t IN LISTS _tests)
    get_filename_component(_name "${t}" NAME_WE)
    file(GLOB _helpers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tests/support/*.cpp"
      "${CMAKE_CURRENT_SOURCE_DIR}/tests/support/*.h")
    meridan_qttest(${target}_${_name} SOURCES "${t}" ${_helpers} LIBS ${target} ${ARG_TEST_LIBS})
  endforeach()
endfunction()
