# One static library per source folder; every .cpp in the folder (and its sub-folders) belongs to it.
function(slatebook_library target)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
endfunction()

# One GoogleTest program per tested folder, registered test by test with CTest.
function(slatebook_test target)
  cmake_parse_arguments(arg "" "" "LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_executable(${target} ${sources} "${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp"
                 "${CMAKE_SOURCE_DIR}/tests/support/TempHome.cpp")
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gtest Qt6::Test)
  target_compile_definitions(${target} PRIVATE
    SLATEBOOK_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    SLATEBOOK_EXECUTABLE="$<TARGET_FILE:slatebook>")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 300)
endfunction()
