# The editor's package locks its folder and program: administrators and the system
# may do everything (GENERIC_ALL), users read and run (GENERIC_READ | GENERIC_EXECUTE),
# nobody else is named; and the locked objects are the package's folder and file.
#   cmake -D MSIINFO=msiinfo -D PACKAGE=Pellorin.msi -P EditorPermissions.cmake
cmake_minimum_required(VERSION 3.20)

function(export_table table out)
  execute_process(COMMAND ${MSIINFO} export ${PACKAGE} ${table}
                  OUTPUT_VARIABLE text ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PACKAGE} has no table ${table}: ${error}")
  endif()
  string(REPLACE "\r" "" text "${text}")
  string(STRIP "${text}" text)
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(expect_row rows row)
  if(NOT "${row}" IN_LIST rows)
    string(REPLACE "\t" " | " shown "${row}")
    message(FATAL_ERROR "missing row: ${shown}")
  endif()
endfunction()

export_table(LockPermissions rows)
set(expected
  "INSTALLDIR\tCreateFolder\t\tAdministrators\t268435456"
  "INSTALLDIR\tCreateFolder\t\tSYSTEM\t268435456"
  "INSTALLDIR\tCreateFolder\t\tUsers\t-1610612736"
  "KIV.exe\tFile\t\tAdministrators\t268435456"
  "KIV.exe\tFile\t\tSYSTEM\t268435456"
  "KIV.exe\tFile\t\tUsers\t-1610612736")
foreach(row ${expected})
  expect_row("${rows}" "${row}")
endforeach()
# Three header lines (names, types, keys), then the rows and nothing else.
list(LENGTH rows count)
if(NOT count EQUAL 9)
  message(FATAL_ERROR "LockPermissions holds other rows: ${rows}")
endif()

export_table(CreateFolder folders)
expect_row("${folders}" "INSTALLDIR\tEditorRegistry")
export_table(File files)
list(FILTER files INCLUDE REGEX "^KIV\\.exe\tEditorProgram\t")
if(NOT files)
  message(FATAL_ERROR "the package holds no file KIV.exe")
endif()
