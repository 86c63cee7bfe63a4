# The editor's package locks its program and every folder it makes above it, up to the
# drive root: administrators may do everything (GENERIC_ALL), everyone reads and runs
# (GENERIC_READ | GENERIC_EXECUTE), nobody else is named (only these two names mean the
# same accounts in every language of Windows); and the locked objects are the package's
# folders and file. The package holds no second table of permissions beside this one.
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

# The folders from the program's up to the drive root (TARGETDIR, not made).
export_table(Directory directories)
set(folders)
set(folder INSTALLDIR)
while(NOT folder STREQUAL "TARGETDIR")
  list(APPEND folders ${folder})
  set(row "${directories}")
  list(FILTER row INCLUDE REGEX "^${folder}\t")
  if(NOT row MATCHES "^${folder}\t([^\t]+)\t")
    message(FATAL_ERROR "the folder ${folder} does not lie below the drive root")
  endif()
  set(folder ${CMAKE_MATCH_1})
endwhile()
if(NOT "QuorelFolder" IN_LIST folders)
  message(FATAL_ERROR "the maker's folder is not above the program's: ${folders}")
endif()

export_table(LockPermissions rows)
export_table(CreateFolder made)
set(expected_count 3)   # the header lines: names, types, keys
foreach(folder ${folders})
  # A lock on a folder holds only where the package makes that folder.
  set(row "${made}")
  list(FILTER row INCLUDE REGEX "^${folder}\t")
  if(NOT row)
    message(FATAL_ERROR "the package does not make the folder ${folder}")
  endif()
  foreach(user "Administrators\t268435456" "Everyone\t-1610612736")
    expect_row("${rows}" "${folder}\tCreateFolder\t\t${user}")
  endforeach()
  math(EXPR expected_count "${expected_count} + 2")
endforeach()
foreach(user "Administrators\t268435456" "Everyone\t-1610612736")
  expect_row("${rows}" "KIV.exe\tFile\t\t${user}")
endforeach()
math(EXPR expected_count "${expected_count} + 2")
list(LENGTH rows count)
if(NOT count EQUAL expected_count)
  message(FATAL_ERROR "LockPermissions holds other rows: ${rows}")
endif()

execute_process(COMMAND ${MSIINFO} tables ${PACKAGE} OUTPUT_VARIABLE tables)
if(tables MATCHES "MsiLockPermissionsEx")
  message(FATAL_ERROR "the package holds both tables of permissions")
endif()

export_table(File files)
list(FILTER files INCLUDE REGEX "^KIV\\.exe\tEditorProgram\t")
if(NOT files)
  message(FATAL_ERROR "the package holds no file KIV.exe")
endif()
