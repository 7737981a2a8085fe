# Compiles and links with Debian's build flags, as a Debian package build
# would: dpkg-buildflags with every hardening feature (stack protector,
# fortified functions, read-only relocations bound at start).
#
# Included by the top-level CMakeLists.txt when QUILLOMAR_DPKG_BUILDFLAGS is
# on. Without dpkg-buildflags (not a Debian system) it says so and leaves the
# flags as they are.

find_program(QUILLOMAR_DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags)
if(NOT QUILLOMAR_DPKG_BUILDFLAGS_PROGRAM)
  message(WARNING "dpkg-buildflags was not found (Debian package dpkg-dev): building without Debian's flags")
  return()
endif()

# The flags of one kind; run from the source folder as dpkg-buildpackage runs,
# so that the file-prefix map names it.
function(quillomar_dpkg_buildflags kind out_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${QUILLOMAR_DPKG_BUILDFLAGS_PROGRAM} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
  endif()
  set(${out_var} "${flags}" PARENT_SCOPE)
endfunction()

quillomar_dpkg_buildflags(CPPFLAGS dpkg_cppflags)
quillomar_dpkg_buildflags(CXXFLAGS dpkg_cxxflags)
quillomar_dpkg_buildflags(LDFLAGS dpkg_ldflags)
# Debian's flags come first, so that the build type's own (-O2 -g -DNDEBUG)
# and the targets' options still apply after them.
string(PREPEND CMAKE_CXX_FLAGS "${dpkg_cppflags} ${dpkg_cxxflags} ")
string(PREPEND CMAKE_EXE_LINKER_FLAGS "${dpkg_ldflags} ")
string(PREPEND CMAKE_SHARED_LINKER_FLAGS "${dpkg_ldflags} ")
message(STATUS "Debian's build flags: ${dpkg_cppflags} ${dpkg_cxxflags} | ${dpkg_ldflags}")
