# Debian's build flags for the Debian package's program: fortify, stack
# protector, read-only relocations bound at start. Asked of dpkg-buildflags in
# the source tree, whose path it maps to . in what the compiler records, so
# that the package does not depend on where the tree lies.
function(DebianFlag name result)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get ${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "VIEWER_DEBIAN_FLAGS needs dpkg-buildflags (Debian's dpkg-dev)")
  endif()
  set(${result} "${flags}" PARENT_SCOPE)
endfunction()

DebianFlag(CPPFLAGS cppFlags)
DebianFlag(CXXFLAGS cxxFlags)
DebianFlag(LDFLAGS ldFlags)
# Normal variables, not the cache's: turning the option off gives the plain flags back.
set(CMAKE_CXX_FLAGS "${cppFlags} ${cxxFlags}")
set(CMAKE_EXE_LINKER_FLAGS "${ldFlags}")
