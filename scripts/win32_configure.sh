# Sourced by the scripts that build the Windows program.
#
# quillomar_configure_win32 FOLDER: configures FOLDER as the 32-bit Windows
# build (i686 MinGW-w64, RelWithDebInfo, the windows and the tests, warnings
# as errors). The tests and the shipped program come from the same folder,
# so that the program is compiled once.
quillomar_configure_win32() {
  cmake --no-warn-unused-cli -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLOMAR_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-i686-w64-mingw32.cmake" -DQUILLOMAR_BUILD_GUI=ON >/dev/null
}
