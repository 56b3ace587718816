# cmake -DINPUT=<file> -DOUTPUT=<file.inc> -P embed_bytes.cmake
# Writes the bytes of INPUT as a comma-separated C++ initialiser list.
if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "embed_bytes.cmake: INPUT and OUTPUT are required")
endif()
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "embed_bytes.cmake: ${INPUT} is empty")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Twenty bytes a line.
string(REGEX REPLACE "((0x..,){20})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "${bytes}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
