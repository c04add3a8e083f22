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

# vesk_unity(<target> [ALONE <file>...]): with VESK_UNITY, the target's
# sources are compiled in batches, each batch one object, but for the files
# named ALONE (relative to the calling folder): their private names (in an
# unnamed namespace, or static) clash with those of a file beside them.
function(vesk_unity name)
  cmake_parse_arguments(A "" "" "ALONE" ${ARGN})
  if(VESK_UNITY)
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    if(A_ALONE)
      set_source_files_properties(${A_ALONE} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endif()
endfunction()

# vesk_library(<name> [DIRS <dir>...] [DEPS <target>...] [EXCLUDE <regex>] [ALONE <file>...])
# One static library from every .cpp of the listed folders (default: the
# calling folder, not recursive); a folder of headers only makes an interface
# library. Headers are found from the repository root, so includes read
# "platform/NRXMutex.h". The folders belong to the library: the layering
# check (vesk_add_layering_check) lets a library include only headers of its
# own folders and of the libraries it depends on, directly or not.
function(vesk_library name)
  cmake_parse_arguments(A "" "EXCLUDE" "DIRS;DEPS;ALONE" ${ARGN})
  vesk_sources(srcs ${A_DIRS})
  if(A_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${A_EXCLUDE}")
  endif()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    vesk_unity(${name} ALONE ${A_ALONE})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} ${scope} ${A_DEPS} Threads::Threads)
  set(dirs)
  foreach(d ${A_DIRS})
    get_filename_component(d ${d} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND dirs ${d})
  endforeach()
  if(NOT dirs)
    set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set_property(TARGET ${name} PROPERTY VESK_DIRS ${dirs})
  set_property(GLOBAL APPEND PROPERTY VESK_LIBRARIES ${name})
endfunction()

# vesk_add_folders(<dir>...): add_subdirectory for each folder, in order. A
# listed folder without a CMakeLists.txt stops the configuration, so a typo or
# a lost folder cannot quietly drop a library or its tests.
function(vesk_add_folders)
  foreach(dir ${ARGN})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${dir} is listed but has no CMakeLists.txt")
    endif()
    add_subdirectory(${dir})
  endforeach()
endfunction()

# vesk_add_layering_check(): call once, after every library is defined. Writes
# each library's folders and dependencies to the build tree and adds the test
# "layering", which fails for a dependency cycle and for an include of a
# header whose folder belongs to a library that is not among the includer's
# dependencies (cmake/CheckLayering.cmake).
function(vesk_add_layering_check)
  get_property(libs GLOBAL PROPERTY VESK_LIBRARIES)
  set(manifest "set(VESK_LIBS \"${libs}\")\n")
  foreach(lib ${libs})
    get_target_property(type ${lib} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${lib} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(links ${lib} LINK_LIBRARIES)
    endif()
    set(deps)
    foreach(l ${links})
      if(l IN_LIST libs)
        list(APPEND deps ${l})
      endif()
    endforeach()
    get_target_property(dirs ${lib} VESK_DIRS)
    set(rel)
    foreach(d ${dirs})
      file(RELATIVE_PATH r ${PROJECT_SOURCE_DIR} ${d})
      list(APPEND rel ${r})
    endforeach()
    string(APPEND manifest "set(VESK_DIRS_${lib} \"${rel}\")\nset(VESK_DEPS_${lib} \"${deps}\")\n")
  endforeach()
  file(WRITE ${PROJECT_BINARY_DIR}/VeskLayering.cmake "${manifest}")
  set(check ${PROJECT_SOURCE_DIR}/cmake/CheckLayering.cmake)
  add_test(NAME layering COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
           -DMANIFEST=${PROJECT_BINARY_DIR}/VeskLayering.cmake -P ${check})
  # The check itself, on a small tree: an upward include, then a cycle.
  set(fixture ${PROJECT_SOURCE_DIR}/cmake/layering-fixture)
  add_test(NAME layering.RefusesAnUpwardInclude COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${fixture}
           -DMANIFEST=${fixture}/OneWay.cmake -P ${check})
  set_tests_properties(layering.RefusesAnUpwardInclude PROPERTIES PASS_REGULAR_EXPRESSION
    "low/Low.h: includes \"high/High.h\" of high, which low does not depend on")
  add_test(NAME layering.RefusesACycle COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${fixture}
           -DMANIFEST=${fixture}/Cycle.cmake -P ${check})
  set_tests_properties(layering.RefusesACycle PROPERTIES PASS_REGULAR_EXPRESSION
    "low depends on itself")
endfunction()

# vesk_add_configure_checks(): the tests "configure.<case>", each of which
# configures the project afresh in a folder of the build tree and checks
# what the configuration decided (cmake/CheckConfigure.cmake).
function(vesk_add_configure_checks)
  foreach(c both-sanitizers no-benchmark werror)
    add_test(NAME configure.${c} COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
             -DBINARY_DIR=${PROJECT_BINARY_DIR}/configure-checks/${c} -DCASE=${c}
             -P ${PROJECT_SOURCE_DIR}/cmake/CheckConfigure.cmake)
  endforeach()
endfunction()

# vesk_test(<name> [SERIAL] [DIRS <dir>...] [DEPS <target>...] [LABELS <label>...] [ALONE <file>...])
# One GoogleTest executable from every .cpp of the listed folders (default:
# the calling folder); each test case becomes a CTest test.
function(vesk_test name)
  cmake_parse_arguments(A "SERIAL" "" "DIRS;DEPS;LABELS;ALONE" ${ARGN})
  vesk_sources(srcs ${A_DIRS})
  add_executable(${name} ${srcs})
  vesk_unity(${name} ALONE ${A_ALONE})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(props TIMEOUT 300)
  if(A_LABELS)
    list(APPEND props LABELS "${A_LABELS}")
  endif()
  # SERIAL: each test runs alone, for tests that keep real-time bounds.
  if(A_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
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
