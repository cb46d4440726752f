# Every layer is one static library whose sources are all .cpp/.h files of its folder (recursively),
# so adding a file needs no CMake edit.
function(kem_library name dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  if(NOT srcs)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${stub} "")
    set(srcs ${stub})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${dir} ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
endfunction()

# One GoogleTest program per test folder; every TEST is its own CTest case. Window tests get a
# QApplication, the others a QCoreApplication.
function(kem_test_dir name dir main)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs} ${CMAKE_SOURCE_DIR}/tests/support/main/test_main_${main}.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN} kemtestsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE KEM_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
                                             KEM_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8" TIMEOUT 600)
endfunction()
