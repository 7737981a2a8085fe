# Turns a file into C++ source: an array of its bytes and their count, so that
# a library can carry the file without anything installed beside it.
#
#   cmake -DINPUT=<file> -DOUTPUT=<generated .inc> -DNAME=<array name> -P embed_bytes.cmake
#
# The output defines `constexpr unsigned char <NAME>[]` (the bytes followed by
# one zero byte, so that an empty file still gives a valid array) and
# `constexpr std::size_t <NAME>Size` (the count without that zero byte).

foreach(required INPUT OUTPUT NAME)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "embed_bytes.cmake needs -D${required}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")

# Sixteen bytes to a line, each as 0xNN (CMake's expressions have no {n}).
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 sixteen)
string(REGEX REPLACE "(${sixteen})" "\\1\n    " bytes "${bytes}")

get_filename_component(input_name "${INPUT}" NAME)
set(content "// Generated from ${input_name} at build time; edit that file instead.\n")
string(APPEND content "constexpr unsigned char ${NAME}[] = {\n    ${bytes}0x00};\n")
string(APPEND content "constexpr std::size_t ${NAME}Size = ${byte_count};\n")

# Rewritten only when the bytes changed, so that nothing recompiles needlessly.
set(previous "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
