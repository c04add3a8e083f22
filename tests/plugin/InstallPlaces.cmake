# Runs the build's install rule into folders of its own and checks where the
# plug-in lands: under an explicit prefix, and in ~/.vst when the install
# is told to go to the user's folder (as the target run-main does).
#   cmake -DBUILD=<build folder> -DWORK=<scratch folder> -P InstallPlaces.cmake
set(so "Vesk Plug-In Editor.so")
set(pictures "Vesk Plug-In Editor/Contents/Resources/Background_Base.png")
set(version "Vesk Plug-In Editor/Contents/BundleVersion")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")

function(install_into)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed (${result}): ${err}")
  endif()
endfunction()

# An explicit prefix, even with a home folder at hand, installs under it.
install_into(${CMAKE_COMMAND} -E env HOME=${WORK}/home
             ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${WORK}/prefix")
foreach(f "${so}" "${pictures}" "${version}")
  if(NOT EXISTS "${WORK}/prefix/lib/vst/${f}")
    message(FATAL_ERROR "--prefix: ${WORK}/prefix/lib/vst/${f} is missing")
  endif()
endforeach()
if(EXISTS "${WORK}/home/.vst")
  message(FATAL_ERROR "--prefix also installed into ~/.vst")
endif()

# The run-main way: the user's own folder.
install_into(${CMAKE_COMMAND} -E env HOME=${WORK}/home VESK_INSTALL_TO_HOME=1
             ${CMAKE_COMMAND} --install "${BUILD}")
foreach(f "${so}" "${pictures}" "${version}")
  if(NOT EXISTS "${WORK}/home/.vst/${f}")
    message(FATAL_ERROR "run-main's install: ${WORK}/home/.vst/${f} is missing")
  endif()
endforeach()
# The About box shows the installed bundle's version.
file(READ "${WORK}/home/.vst/${version}" installed)
if(NOT installed STREQUAL "1.0.3.0\n")
  message(FATAL_ERROR "the installed bundle's version is \"${installed}\", not 1.0.3.0")
endif()
file(REMOVE_RECURSE "${WORK}")
