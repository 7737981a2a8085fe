# The same sources give the same binaries, whatever folder they are built in
# and whenever: no build folder in the objects (debugging information,
# assertion texts), and no link time in the Windows program's headers.
#
# Included by the top-level CMakeLists.txt for every build.

# Source and build folders are written as "." and "build-dir". The compiler
# tries the last map first, so the build folder, which may lie inside the
# source folder, comes last.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=build-dir)
if(WIN32)
  # MinGW's linker writes the link time into the PE header unless told not to.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
