# cmake -DOBJDUMP=... -DPE=Dorvane.exe -DOUT=header.h -P ImportsHeader.cmake
# Writes one "#define IMPORTS_<DLL> 1" for each DLL that PE imports, so that the
# minimal start program can import the same ones.
execute_process(COMMAND ${OBJDUMP} -p ${PE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${PE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(text "// Generated from the import list of ${PE}.\n#pragma once\n")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.[A-Za-z]+.*" "\\1" dll "${line}")
  string(TOUPPER "${dll}" dll)
  string(APPEND text "#define IMPORTS_${dll} 1\n")
endforeach()
file(WRITE ${OUT}.tmp "${text}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
