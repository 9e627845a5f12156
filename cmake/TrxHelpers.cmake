# trx_folder_library(<name> <folder> [deps...])
# A static library of every .cpp file directly in <folder>. A folder without
# sources yet gives an interface library, so that dependants still link.
set(TRX_FOLDER_LIBRARIES "" CACHE INTERNAL "")
function(trx_folder_library name folder)
  file(GLOB _src CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  if(_src)
    # The objects are compiled once: into the folder's static library (for
    # tests) and into the shared library.
    add_library(${name}_obj OBJECT ${_src} ${_hdr})
    target_include_directories(${name}_obj PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_obj PUBLIC ${ARGN})
    add_library(${name} STATIC $<TARGET_OBJECTS:${name}_obj>)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
    set(TRX_FOLDER_LIBRARIES ${TRX_FOLDER_LIBRARIES} ${name} CACHE INTERNAL "")
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# trx_test_folder(<folder under tests/> [libs...])
# One GoogleTest executable of every .cpp file under tests/<folder>.
function(trx_test_folder folder)
  file(GLOB_RECURSE _src CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT _src)
    return()
  endif()
  string(REPLACE "/" "_" _name "test_${folder}")
  add_executable(${_name} ${_src})
  target_link_libraries(${_name} PRIVATE ${ARGN} trx_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${_name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "TRX_SOURCE_DIR=${PROJECT_SOURCE_DIR};QT_QPA_PLATFORM=offscreen")
endfunction()
