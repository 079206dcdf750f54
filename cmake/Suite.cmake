# Small helpers shared by every folder's CMakeLists.txt.

# Compiles through ccache when it is installed (and no other launcher was
# given), with paths taken relative to the source folder so that another
# clone or build folder reuses the same cache entries, and with the settings
# that let it cache compilations that use precompiled headers.
macro(suite_use_compiler_cache)
  find_program(SUITE_CCACHE ccache)
  if(SUITE_CCACHE AND (NOT CMAKE_CXX_COMPILER_LAUNCHER OR CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache$"))
    set(_suite_ccache ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
      CCACHE_SLOPPINESS=pch_defines,time_macros ${SUITE_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${_suite_ccache})
    set(CMAKE_C_COMPILER_LAUNCHER ${_suite_ccache})
  endif()
endmacro()

# Adds a folder of the window layers as suite_add_folder does; its targets
# of some size (and those of its tests) compile the Qt headers that nearly
# every file includes once per target instead of once per file.
function(suite_add_qt_folder dir)
  suite_add_folder(${dir})
  foreach(sub ${dir} ${dir}/tests)
    get_property(_added GLOBAL PROPERTY SUITE_ADDED_FOLDERS)
    if(NOT sub IN_LIST _added)
      continue()
    endif()
    get_property(_targets DIRECTORY ${CMAKE_SOURCE_DIR}/${sub} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t IN LISTS _targets)
      get_target_property(_type ${t} TYPE)
      get_target_property(_sources ${t} SOURCES)
      list(LENGTH _sources _count)
      if((_type STREQUAL "STATIC_LIBRARY" OR _type STREQUAL "EXECUTABLE") AND _count GREATER 3)
        target_precompile_headers(${t} PRIVATE <QApplication> <QDialog> <QPainter> <QWidget>)
      endif()
    endforeach()
  endforeach()
endfunction()

# Adds a folder (and its tests/ sub-folder, when present) to the build.
function(suite_add_folder dir)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
    set_property(GLOBAL APPEND PROPERTY SUITE_ADDED_FOLDERS ${dir})
    if(SUITE_TESTS AND EXISTS ${CMAKE_SOURCE_DIR}/${dir}/tests/CMakeLists.txt)
      add_subdirectory(${dir}/tests)
      set_property(GLOBAL APPEND PROPERTY SUITE_ADDED_FOLDERS ${dir}/tests)
    endif()
  endif()
endfunction()

# suite_library(NAME) builds a static library from every .cpp in the calling
# folder and its topic sub-folders (store/, calc/...), leaving out tests/ and
# sub-folders that are libraries of their own (they have a CMakeLists.txt).
# Links and includes are added by the caller with target_link_libraries.
function(suite_library name)
  file(GLOB_RECURSE _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _src EXCLUDE REGEX "/tests/")
  file(GLOB_RECURSE _own LIST_DIRECTORIES false ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(_list IN LISTS _own)
    get_filename_component(_dir ${_list} DIRECTORY)
    list(FILTER _src EXCLUDE REGEX "^${_dir}/")
  endforeach()
  if(NOT _src)
    # A folder whose code has not arrived yet, or a headers-only one.
    set(_src ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${_src} "// This folder has no sources of its own yet.\n")
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# suite_scratch_folder(TARGET DIR) makes the test or benchmark executable
# TARGET move into DIR (in the build tree) before main, whatever folder it is
# started from.
# The folder is named in a small generated source of its own, so that the
# target's other sources compile the same in every build folder (and a
# compiler cache serves them across clones).
function(suite_scratch_folder target dir)
  file(MAKE_DIRECTORY ${dir})
  set(_source ${CMAKE_CURRENT_BINARY_DIR}/${target}_scratch_folder.cpp)
  file(CONFIGURE OUTPUT ${_source}
    CONTENT "#define SUITE_SCRATCH_DIR \"${dir}\"\n#include \"cmake/ScratchFolder.cpp\"\n")
  target_sources(${target} PRIVATE ${_source})
endfunction()

# suite_test(NAME LIBS...) builds one GoogleTest executable from every .cpp of
# the calling tests/ folder and registers its tests with CTest. Tests run in
# their own scratch folder so that files they write never meet another test's.
function(suite_test name)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
  target_compile_definitions(${name} PRIVATE
    SUITE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    SUITE_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
  set(_work ${CMAKE_CURRENT_BINARY_DIR}/work)
  suite_scratch_folder(${name} ${_work})
  # Labelled with the executable's name, so that CI can run one layer's tests.
  # Tests whose windows share one X display (SUITE_TEST_LOCK set by the
  # calling folder) run one at a time: keyboard focus is the display's, and
  # another test's window taking it would end an edit under way.
  set(_props LABELS ${name})
  if(SUITE_TEST_LOCK)
    list(APPEND _props RESOURCE_LOCK ${SUITE_TEST_LOCK})
  endif()
  gtest_discover_tests(${name} WORKING_DIRECTORY ${_work} DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60 PROPERTIES ${_props})
endfunction()

# The program folder: executables go to bin/, which receives the files of
# examples/; the material database sits one folder up ("../Materials" from
# the program folder), so examples/Materials is copied there as well.
function(suite_program_folder target)
  if(NOT TARGET suite_program_files)
    add_custom_target(suite_program_files
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/examples ${CMAKE_BINARY_DIR}/bin
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/examples/Materials ${CMAKE_BINARY_DIR}/Materials
      VERBATIM)
  endif()
  add_dependencies(${target} suite_program_files)
endfunction()

# suite_bench(NAME LIBS...) builds one Google Benchmark executable from every
# .cpp of the calling bench/ sub-folder. CTest runs it once with
# SUITE_BENCH_SMALL=1, which every benchmark honours by choosing a small size:
# CI checks that benchmarks build and run, never how fast.
function(suite_bench name)
  find_package(benchmark REQUIRED)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARGN} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(_work ${CMAKE_CURRENT_BINARY_DIR}/work)
  suite_scratch_folder(${name} ${_work})
  add_test(NAME ${name}_smoke COMMAND ${name} --benchmark_min_time=0.001 WORKING_DIRECTORY ${_work})
  set_tests_properties(${name}_smoke PROPERTIES ENVIRONMENT SUITE_BENCH_SMALL=1 LABELS bench)
endfunction()

# suite_fuzzer(NAME LIBS...) builds one libFuzzer target from every .cpp of the
# calling fuzz/ sub-folder; fuzz/run.sh runs each for a bounded time, starting
# from the files of a "corpus" folder beside the sources when there is one.
function(suite_fuzzer name)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${_src})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set_property(TARGET ${name} PROPERTY RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
endfunction()
