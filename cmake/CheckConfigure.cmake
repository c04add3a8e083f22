# cmake -DSOURCE_DIR=<repo> -DBINARY_DIR=<scratch folder> -DCASE=<case>
#       -P CheckConfigure.cmake
#
# Configures the project afresh in BINARY_DIR with the options of one case
# and checks what the configuration decided:
#   both-sanitizers  VESK_SANITIZE with VESK_TSAN stops with a message that
#                    says why;
#   no-benchmark     a default configuration on a machine without Google
#                    Benchmark succeeds, says the benchmarks are off, keeps
#                    the product's targets and leaves warnings as warnings;
#   werror           VESK_WERROR puts -Werror on every compile command.

cmake_minimum_required(VERSION 3.25)

set(options -DVESK_TESTS=OFF)
if(CASE STREQUAL "both-sanitizers")
  list(APPEND options -DVESK_SANITIZE=ON -DVESK_TSAN=ON)
elseif(CASE STREQUAL "no-benchmark")
  list(APPEND options -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
elseif(CASE STREQUAL "werror")
  list(APPEND options -DVESK_BENCH=OFF -DVESK_WERROR=ON)
else()
  message(FATAL_ERROR "unknown case '${CASE}'")
endif()

# A cache left by an earlier run would keep its options.
file(REMOVE_RECURSE ${BINARY_DIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G Ninja ${options}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(said "${out}${err}")
# CMake wraps its messages; compare the words only.
string(REGEX REPLACE "[ \t\r\n]+" " " words "${said}")

set(errors)

if(CASE STREQUAL "both-sanitizers")
  if(rc EQUAL 0)
    list(APPEND errors "the configuration went on with both sanitizers")
  endif()
  string(FIND "${words}" "VESK_SANITIZE and VESK_TSAN cannot be on together" at)
  if(at EQUAL -1)
    list(APPEND errors "no message names the two options")
  endif()
else()
  if(NOT rc EQUAL 0)
    list(APPEND errors "the configuration failed")
  endif()
  if(EXISTS ${BINARY_DIR}/build.ninja)
    file(READ ${BINARY_DIR}/build.ninja ninja)
  else()
    set(ninja "")
  endif()
  set(all)
  if(EXISTS ${BINARY_DIR}/compile_commands.json)
    # One line per compile command.
    file(STRINGS ${BINARY_DIR}/compile_commands.json all REGEX "^ *\"command\": ")
  endif()
  string(REGEX MATCH "\nbuild vesk_editor: " editor "${ninja}")
  string(REGEX MATCH "\nbuild vesk_plugin_so: " plugin "${ninja}")
  if(NOT (editor AND plugin))
    list(APPEND errors "the plug-in or the standalone program is not among the targets")
  endif()
  if(NOT all)
    list(APPEND errors "no compile command was written")
  endif()
  set(with 0)
  set(without 0)
  foreach(c IN LISTS all)
    if(c MATCHES " -Werror[ \"]")
      math(EXPR with "${with} + 1")
    else()
      math(EXPR without "${without} + 1")
    endif()
  endforeach()
  if(CASE STREQUAL "no-benchmark")
    string(FIND "${words}" "Google Benchmark was not found: the benchmarks are off" at)
    if(at EQUAL -1)
      list(APPEND errors "nothing says the benchmarks are off")
    endif()
    string(REGEX MATCH "\nbuild run-bench: " bench "${ninja}")
    if(bench)
      list(APPEND errors "the benchmarks are still built")
    endif()
    if(with GREATER 0)
      list(APPEND errors "a developer's build turns warnings into errors")
    endif()
  else()
    if(without GREATER 0)
      list(APPEND errors "${without} compile commands lack -Werror")
    endif()
  endif()
endif()

if(errors)
  list(JOIN errors "\n  " text)
  message(FATAL_ERROR "${CASE}:\n  ${text}\nThe configuration said:\n${said}")
endif()
message(STATUS "${CASE}: as expected")
