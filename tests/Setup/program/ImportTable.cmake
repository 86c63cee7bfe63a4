# Setup.exe imports only libraries that Windows always takes from its system folder (its
# known DLLs), and comctl32, which it takes from its side-by-side store. Any other library
# in the import table would be looked for beside Setup.exe first (in a download folder,
# say) and run there with Setup's rights before Setup's first line.
#   cmake -D OBJDUMP=i686-w64-mingw32-objdump -D PROGRAM=Setup.exe -P ImportTable.cmake
cmake_minimum_required(VERSION 3.20)

set(system_only advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32
    kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore
    shell32 shlwapi user32 wldap32 ws2_32 ntdll kernelbase comctl32)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}: ${error}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM} has no import table")
endif()

set(searched)
foreach(line ${lines})
  string(REGEX REPLACE "^DLL Name: (.+)\\.[Dd][Ll][Ll]$" "\\1" name "${line}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST system_only)
    list(APPEND searched "${line}")
  endif()
endforeach()
if(searched)
  message(FATAL_ERROR "${PROGRAM} imports libraries that Windows looks for beside it: ${searched}")
endif()
