# Fails unless the library exports each of its five entry points under its
# plain name: the shell and regsvr32 look them up by exactly these names,
# and a 32-bit build would otherwise carry stdcall decorations ("@12").
#   cmake -DOBJDUMP=<triplet>-objdump -DLIBRARY=kelpfold.dll -P CheckExports.cmake
#   cmake -DDUMP=<saved objdump -p output> -P CheckExports.cmake
cmake_minimum_required(VERSION 3.20)
set(expected DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer EnumWindowsProc)

if(DEFINED DUMP)
  file(READ "${DUMP}" dump)
else()
  execute_process(COMMAND "${OBJDUMP}" -p "${LIBRARY}"
    OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${LIBRARY} failed: ${error}")
  endif()
endif()

# The export names are the rows "[   n] Name" of the name pointer table.
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\r\n]+" rows "${dump}")
set(names)
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] +" "" name "${row}")
  string(STRIP "${name}" name)
  list(APPEND names "${name}")
endforeach()

foreach(name IN LISTS expected)
  if(NOT name IN_LIST names)
    message(FATAL_ERROR "kelpfold does not export ${name} undecorated; it exports: ${names}")
  endif()
endforeach()
foreach(name IN LISTS names)
  if(name MATCHES "@")
    message(FATAL_ERROR "kelpfold exports the decorated name ${name}")
  endif()
endforeach()
