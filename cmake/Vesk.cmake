# vesk_sources(<out> <dir>...): the .cpp and .c files of the folders (the
# calling folder when none is given), not recursive.
function(vesk_sources out)
  set(dirs ${ARGN})
  if(NOT dirs)
    set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(srcs)
  foreach(d ${dirs})
    file(GLOB s CONFIGURE_DEPENDS ${d}/*.cpp ${d}/*.c)
    list(APPEND srcs ${s})
  endforeach()
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# vesk_library(<name> [DIRS <dir>...] [DEPS <target>...] [EXCLUDE <regex>])
# One static library from every .cpp of the listed folders (default: the
# calling folder, not recursive). Headers are found from the repository root,
# so includes read "platform/NRXMutex.h".
function(vesk_library name)
  cmake_parse_arguments(A "" "EXCLUDE" "DIRS;DEPS" ${ARGN})
  vesk_sources(srcs ${A_DIRS})
  if(A_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${A_EXCLUDE}")
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${A_DEPS} Threads::Threads)
endfunction()

# vesk_test(<name> [DIRS <dir>...] [DEPS <target>...] [LABELS <label>...])
# One GoogleTest executable from every .cpp of the listed folders (default:
# the calling folder); each test case becomes a CTest test.
function(vesk_test name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS;LABELS" ${ARGN})
  vesk_sources(srcs ${A_DIRS})
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(props TIMEOUT 300)
  if(A_LABELS)
    list(APPEND props LABELS "${A_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()

# vesk_bench(<name> [DIRS <dir>...] [DEPS <target>...])
# One Google Benchmark executable; "run-bench" runs them all.
function(vesk_bench name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS" ${ARGN})
  vesk_sources(srcs ${A_DIRS})
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY VESK_BENCHES ${name})
endfunction()
