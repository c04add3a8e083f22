# cmake -DSOURCE_DIR=<repo> -DMANIFEST=<build>/VeskLayering.cmake -P CheckLayering.cmake
#
# Every folder belongs to the library that builds it (vesk_library). A library
# may include headers of its own folders and of the libraries it depends on,
# directly or through others; the dependencies must not form a cycle. Includes
# are taken as written ("model/ISection.h" is the header ISection.h of the
# folder model); a bare name is looked up beside the including file first.
# Headers outside every library's folders are an error when they exist in the
# source tree (they belong to no library the includer could depend on) and are
# ignored otherwise (system and generated files).

cmake_minimum_required(VERSION 3.25)
include(${MANIFEST})

foreach(lib ${VESK_LIBS})
  foreach(dir ${VESK_DIRS_${lib}})
    set("OWNER_${dir}" ${lib})
  endforeach()
endforeach()

set(errors)

# Everything a library depends on, directly or not.
foreach(lib ${VESK_LIBS})
  set(closure ${VESK_DEPS_${lib}})
  set(todo ${closure})
  while(todo)
    list(POP_FRONT todo d)
    foreach(dd ${VESK_DEPS_${d}})
      if(NOT dd IN_LIST closure)
        list(APPEND closure ${dd})
        list(APPEND todo ${dd})
      endif()
    endforeach()
  endwhile()
  if(lib IN_LIST closure)
    list(APPEND errors "${lib} depends on itself (cycle through ${VESK_DEPS_${lib}})")
  endif()
  set("CLOSURE_${lib}" ${closure})
endforeach()

foreach(lib ${VESK_LIBS})
  foreach(dir ${VESK_DIRS_${lib}})
    file(GLOB files ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.hpp
         ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.c)
    foreach(f ${files})
      file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line ${lines})
        if(NOT line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
          continue()
        endif()
        set(inc ${CMAKE_MATCH_1})
        if(EXISTS ${SOURCE_DIR}/${dir}/${inc})
          get_filename_component(target ${SOURCE_DIR}/${dir}/${inc} ABSOLUTE)
        elseif(EXISTS ${SOURCE_DIR}/${inc})
          get_filename_component(target ${SOURCE_DIR}/${inc} ABSOLUTE)
        else()
          # Not in the source tree: the owner can still be told by the folder
          # (generated headers of a library's folder).
          set(target ${SOURCE_DIR}/${inc})
        endif()
        get_filename_component(incdir ${target} DIRECTORY)
        file(RELATIVE_PATH incdir ${SOURCE_DIR} ${incdir})
        if(DEFINED "OWNER_${incdir}")
          set(owner ${OWNER_${incdir}})
          if(NOT owner STREQUAL lib AND NOT owner IN_LIST CLOSURE_${lib})
            file(RELATIVE_PATH where ${SOURCE_DIR} ${f})
            list(APPEND errors "${where}: includes \"${inc}\" of ${owner}, which ${lib} does not depend on")
          endif()
        elseif(EXISTS ${target} AND NOT incdir MATCHES "^\\.\\.")
          file(RELATIVE_PATH where ${SOURCE_DIR} ${f})
          list(APPEND errors "${where}: includes \"${inc}\", which belongs to no library")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(errors)
  list(JOIN errors "\n  " text)
  message(FATAL_ERROR "Layering violations:\n  ${text}")
endif()
list(LENGTH VESK_LIBS n)
message(STATUS "Layering: ${n} libraries, no cycle, every include within the dependencies")
