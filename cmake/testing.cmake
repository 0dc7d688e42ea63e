# Test registration shared by every test folder.
#
#   qz_add_test(<name> SOURCES <files...> [LIBS <targets...>] [NO_MAIN] [GUI]
#               [SERVERS <names...>] [FIXTURES <names...>] [TIMEOUT <s>] [LABELS <labels...>])
#
#   qz_add_server(<name> SCRIPT <file.py> [ARGS <args...>])
#     A test server (Python 3 standard library) run by a CTest fixture for the
#     tests that name it in SERVERS; tests/support/servers/serve says its contract.
#
# One executable is one CTest test. On Windows targets the test runs through the
# build's private wine prefix (the "wine" fixture starts Xvfb and a persistent
# wineserver once per run and stops both at the end).
#
# Every test gets two environment variables naming folders in the form the test's
# own platform understands (a Z:\ path under wine):
#   QZ_TEST_DATA  the source folder tests/ (fixtures, scripts)
#   QZ_TEST_TMP   a scratch folder of the build tree, one per test
#   QZ_SERVERS    the folder holding <server>.port for each running test server
# Adds every folder beside the calling CMakeLists.txt that has a CMakeLists.txt of
# its own, in name order: a new test area or benchmark needs no list edited.
function(qz_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT dirs)
  foreach(d ${dirs})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/CMakeLists.txt)
      add_subdirectory(${d})
    endif()
  endforeach()
endfunction()

set(QZ_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(QZ_SERVER_STATE ${CMAKE_BINARY_DIR}/servers)

# Converts a host path to the path the test program sees.
function(qz_target_path out path)
  if(WIN32)
    string(REPLACE "/" "\\" p "${path}")
    set(${out} "Z:${p}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

if(WIN32 AND (QZ_BUILD_TESTS OR QZ_FUZZ))
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine/wine-run ${QZ_WINE_STATE})
  enable_testing()
  add_test(NAME wine.up COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine/wine-up ${QZ_WINE_STATE} ${CMAKE_SYSTEM_PROCESSOR})
  add_test(NAME wine.down COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine/wine-down ${QZ_WINE_STATE})
  set_tests_properties(wine.up PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(wine.down PROPERTIES FIXTURES_CLEANUP wine)
endif()

function(qz_add_server name)
  cmake_parse_arguments(S "" "SCRIPT" "ARGS" ${ARGN})
  set(serve ${CMAKE_SOURCE_DIR}/tests/support/servers/serve)
  add_test(NAME server.${name}.up COMMAND ${serve} up ${QZ_SERVER_STATE} ${name} ${S_SCRIPT} ${S_ARGS})
  add_test(NAME server.${name}.down COMMAND ${serve} down ${QZ_SERVER_STATE} ${name})
  set_tests_properties(server.${name}.up PROPERTIES FIXTURES_SETUP server_${name} TIMEOUT 30)
  set_tests_properties(server.${name}.down PROPERTIES FIXTURES_CLEANUP server_${name})
endfunction()

function(qz_add_test name)
  cmake_parse_arguments(T "NO_MAIN;GUI" "TIMEOUT" "SOURCES;LIBS;FIXTURES;LABELS;SERVERS" ${ARGN})
  if(NOT QZ_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  if(T_NO_MAIN)
    target_link_libraries(${name} PRIVATE qz::gtest)
  else()
    target_link_libraries(${name} PRIVATE qz::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(WIN32)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  endif()
  add_test(NAME ${name} COMMAND ${name})

  set(tmp ${CMAKE_BINARY_DIR}/test-tmp/${name})
  file(MAKE_DIRECTORY ${tmp})
  qz_target_path(tmp_t ${tmp})
  qz_target_path(data_t ${CMAKE_SOURCE_DIR}/tests)
  qz_target_path(servers_t ${QZ_SERVER_STATE})
  set(fixtures ${T_FIXTURES})
  foreach(server ${T_SERVERS})
    list(APPEND fixtures server_${server})
  endforeach()
  set(labels ${T_LABELS})
  if(WIN32)
    list(APPEND fixtures wine)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  if(T_GUI)
    list(APPEND labels gui)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QZ_TEST_DATA=${data_t};QZ_TEST_TMP=${tmp_t};QZ_SERVERS=${servers_t}"
    FIXTURES_REQUIRED "${fixtures}"
    LABELS "${labels}"
    TIMEOUT ${T_TIMEOUT})
endfunction()

# A libFuzzer target; in the fuzz preset it is built with -fsanitize=fuzzer and run
# briefly by the smoke (scripts/test). Elsewhere nothing is built: the corpus replay
# tests of each module keep the crashes found as regression inputs.
function(qz_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT QZ_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY QZ_FUZZERS ${name})
endfunction()
