# One static library per source folder; every .cpp in the folder (and its sub-folders) belongs to
# it. A folder without code yet becomes an interface library, so the dependency chain holds.
function(slatebook_library target)
  cmake_parse_arguments(arg "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(cpp_sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} INTERFACE ${arg_PUBLIC})
  endif()
endfunction()

# One GoogleTest program per tested folder, registered test by test with CTest.
function(slatebook_test target)
  cmake_parse_arguments(arg "" "" "LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_executable(${target} ${sources} "${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp"
                 "${CMAKE_SOURCE_DIR}/tests/support/TempHome.cpp" "${CMAKE_SOURCE_DIR}/tests/support/TestPaths.cpp")
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gtest Qt6::Test)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 300)
endfunction()
