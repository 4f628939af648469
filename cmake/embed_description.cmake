# cmake -DINPUT=file.xml -DOUTPUT=file.inc -DNAME=kName -P embed_description.cmake
# Turns an indented dialog description into a UTF-16 string constant: each
# line trimmed, comment lines and blank lines dropped, the rest joined by tabs,
# so the program holds one line as the dialog engine reads it.
file(READ "${INPUT}" content)
# Lines become list items; a semicolon of the text must not split one.
string(REPLACE ";" "@SEMICOLON@" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
set(joined "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^<!--.*-->$")
    continue()
  endif()
  string(REPLACE "\\" "\\\\" line "${line}")
  string(REPLACE "\"" "\\\"" line "${line}")
  if(NOT joined STREQUAL "")
    string(APPEND joined "\\t")
  endif()
  string(APPEND joined "${line}")
endforeach()
string(REPLACE "@SEMICOLON@" ";" joined "${joined}")
file(WRITE "${OUTPUT}.tmp"
  "// Made by the build from ${INPUT_NAME}; edit that file instead.\n"
  "constexpr char16_t ${NAME}[] = u\"${joined}\";\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
