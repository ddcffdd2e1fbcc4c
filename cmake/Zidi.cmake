# Helpers shared by the folders' CMakeLists.

set(ZIDI_WARNINGS -Wall -Wextra -Wshadow -Wno-unused-parameter)

# zidi_add_layer(<name> [DEPS <targets>...] [PRIVATE_DEPS <targets>...] [PCH <header>])
# Builds every .cpp/.h/.qrc of the folder (and its subfolders) into the static
# library <name>. DEPS reach the layers above with their include paths;
# PRIVATE_DEPS are linked only, so their headers stay out of the layers above.
function(zidi_add_layer name)
  cmake_parse_arguments(ARG "" "PCH" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${ZIDI_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  if(ARG_PCH)
    target_precompile_headers(${name} PRIVATE ${ARG_PCH})
  else()
    target_precompile_headers(${name} REUSE_FROM zidi_pch)
  endif()
endfunction()

# zidi_add_tests(<folder> DEPS <targets>...)
# One test program per folder of tests/; one ctest entry per GoogleTest suite
# found in its sources, so that ctest can run suites side by side. The sources
# are configure dependencies: a suite added to an existing file is registered
# by the next build, without configuring by hand.
function(zidi_add_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${srcs})
  set(exe test_${folder})
  string(REPLACE "-" "_" exe ${exe})
  add_executable(${exe} ${srcs} ${CMAKE_CURRENT_SOURCE_DIR}/common/test_main.cpp
                 ${CMAKE_CURRENT_SOURCE_DIR}/common/TestSupport.h)
  target_compile_options(${exe} PRIVATE ${ZIDI_WARNINGS})
  target_include_directories(${exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${exe} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  target_precompile_headers(${exe} REUSE_FROM zidi_test_pch)
  set(suites "")
  foreach(src IN LISTS srcs)
    file(READ ${src} text)
    string(REGEX MATCHALL "(TEST|TEST_F|TEST_P|TYPED_TEST)\\([ \t\r\n]*[A-Za-z_0-9]+" hits "${text}")
    foreach(hit IN LISTS hits)
      string(REGEX REPLACE ".*\\([ \t\r\n]*" "" suite "${hit}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite IN LISTS suites)
    add_test(NAME ${folder}.${suite}
             COMMAND ${exe} --gtest_filter=${suite}.*:*/${suite}.*:${suite}/*.*:*/${suite}/*.*)
    set_tests_properties(${folder}.${suite} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/common/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      TIMEOUT 300)
  endforeach()
endfunction()

# The shared precompiled headers, each built once: zidi_pch for the layers above
# platform/, zidi_test_pch for the test programs. They are set up after platform/
# exists (zidi_add_pch_targets), since they include its headers.
function(zidi_add_pch_targets)
  add_library(zidi_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/pch_anchor.cpp)
  target_link_libraries(zidi_pch PUBLIC platform)
  target_compile_options(zidi_pch PRIVATE ${ZIDI_WARNINGS})
  target_precompile_headers(zidi_pch PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/layers.h)
endfunction()

function(zidi_add_test_pch_target)
  add_library(zidi_test_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/pch_anchor.cpp)
  # The tests drive Qt's widgets directly: they see the windowing modules.
  target_link_libraries(zidi_test_pch PUBLIC platform Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Test
                        GTest::gtest GTest::gmock)
  target_compile_options(zidi_test_pch PRIVATE ${ZIDI_WARNINGS})
  target_precompile_headers(zidi_test_pch PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/tests.h)
endfunction()
