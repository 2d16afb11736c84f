# Helpers shared by every component.

# meridan_engine(<Name> CORE <core target> SOURCES <entry sources>)
# Builds the thin shared library exporting mainfun and the versioned entry
# point as <run dir>/bin/<Name>.so (no "lib" prefix), linked to its static
# core. Only the two entry points leave the library: the entry source is
# compiled with hidden visibility and the linker's version script keeps
# everything else (the static core, inline library code) local.
set(MERIDAN_ENGINE_EXPORTS "${CMAKE_CURRENT_LIST_DIR}/engine-exports.map")
function(meridan_engine name)
  cmake_parse_arguments(ARG "" "CORE" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_CORE} meridan_engine_api)
  target_link_options(${name} PRIVATE "LINKER:--version-script=${MERIDAN_ENGINE_EXPORTS}")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS "${MERIDAN_ENGINE_EXPORTS}")
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".so"
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY "${MERIDAN_RUN_DIR}/bin"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# meridan_tool(<name> SOURCES ... LIBS ...)
# A command-line program built into the runnable program folder.
function(meridan_tool name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${MERIDAN_RUN_DIR}")
endfunction()

# meridan_depends_on_engines(<target> [<other targets>...])
# Builds target after the other targets and the engine libraries it loads at
# run time from bin/, those of them that this build has.
function(meridan_depends_on_engines target)
  foreach(other ${ARGN} Galvora Castrel Dovrane Brintel Ethrin)
    if(TARGET ${other})
      add_dependencies(${target} ${other})
    endif()
  endforeach()
endfunction()

# meridan_test_executable(<GTEST|QTTEST> <target> SOURCES ... LIBS ...)
# A test executable registered with CTest, when tests are built: a
# GoogleTest one with every test case discovered, or a QtTest one run
# offscreen. Tests learn where the real data and the runnable folder are
# through compile definitions (the environment variable MERIDAN_DATA_DIR
# overrides the data folder at run time) and include the shared test helpers.
function(meridan_test_executable kind target)
  if(NOT MERIDAN_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  target_compile_definitions(${target} PRIVATE
    MERIDAN_DATA_DIR="${MERIDAN_DATA_DIR}"
    MERIDAN_RUN_DIR="${MERIDAN_RUN_DIR}")
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}/tests/common")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  if(kind STREQUAL "GTEST")
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
  else()
    target_link_libraries(${target} PRIVATE Qt6::Test)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1"
      TIMEOUT 900)
  endif()
endfunction()

# meridan_gtest(<target> SOURCES ... LIBS ...)
function(meridan_gtest target)
  meridan_test_executable(GTEST ${target} ${ARGN})
endfunction()

# meridan_qttest(<target> SOURCES ... LIBS ...)
function(meridan_qttest target)
  meridan_test_executable(QTTEST ${target} ${ARGN})
endfunction()
