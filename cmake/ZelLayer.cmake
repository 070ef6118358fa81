# zel_layer(NAME DEPS a b ...): the static library of one folder under src/.
# Sources are every .cpp of the folder and of its internal/ folder, so adding a file
# needs no edit here. A folder without sources yet becomes an interface library.
# Warnings are errors only where the project's own scripts build (ZEL_WERROR): a user or a
# packager with another compiler or build type gets warnings, not a failed build.
set(ZEL_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wconversion
    -Wno-sign-conversion $<$<BOOL:${ZEL_WERROR}>:-Werror>
    # GCC 12 at -O3 reports -Wrestrict inside std::string's own inlined code (a known false
    # positive), which would break release builds of correct code.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)

function(zel_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target zel_${name})
  if(srcs)
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${target} PRIVATE ${ZEL_WARNINGS})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    set(scope INTERFACE)
  endif()
  foreach(dep ${ARG_DEPS})
    target_link_libraries(${target} ${scope} zel_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(${target} ${scope} ${ARG_LIBS})
  endif()
  add_library(zel::${name} ALIAS ${target})
endfunction()

# Test programs compile without optimisation whatever the build type: the code under test is
# in the libraries, built as the build type says, and the test bodies compile a third faster.
set(ZEL_TEST_OPTIONS ${ZEL_WARNINGS} -Wno-conversion -O0)

# zel_tests(LAYER DEPS ...): one GoogleTest program per folder under tests/.
function(zel_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_fuzz\\.cpp$")
  if(NOT srcs)
    return()
  endif()
  set(target ${name}_tests)
  add_executable(${target} ${srcs})
  target_compile_options(${target} PRIVATE ${ZEL_TEST_OPTIONS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  foreach(dep ${ARG_DEPS})
    target_link_libraries(${target} PRIVATE zel_${dep})
  endforeach()
  target_link_libraries(${target} PRIVATE zel_testkit GTest::gtest GTest::gmock GTest::gtest_main)
  target_precompile_headers(${target} REUSE_FROM zel_testkit)
  add_dependencies(${target} zelmoran-tool)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()
