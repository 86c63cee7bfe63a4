# The editor's package locks its program and every folder it makes above it, up to the
# drive root: administrators may do everything (GENERIC_ALL), everyone reads and runs
# (GENERIC_READ | GENERIC_EXECUTE), nobody else is named (only these two names mean the
# same accounts in every language of Windows); and the locked objects are the package's
# folders and file. The package holds no second table of permissions beside this one.
# Its program always lands, locked: the File table names the version and the language
# stamped in the built program, whose version the product states too, and a file found in
# the program's place is removed on install, whatever version it claims, before the
# package's own is installed.
#   cmake -D MSIINFO=msiinfo -D PACKAGE=Pellorin.msi -D PROGRAM=KIV.exe -P EditorPermissions.cmake
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

# The rows of a table that match a pattern; there must be one at least.
function(matching_rows out table pattern problem)
  export_table(${table} rows)
  list(FILTER rows INCLUDE REGEX "${pattern}")
  if(NOT rows)
    message(FATAL_ERROR "${problem}")
  endif()
  set(${out} "${rows}" PARENT_SCOPE)
endfunction()

# Where, in a program's bytes as hex text, a key of its version resource (UTF-16) ends,
# followed by the hex text given.
function(find_version_key bytes key following problem out)
  string(HEX "${key}" key)
  string(REGEX REPLACE "(..)" "\\100" key "${key}")
  string(FIND "${bytes}" "${key}${following}" at)
  if(at LESS 0)
    message(FATAL_ERROR "${problem}")
  endif()
  string(LENGTH "${key}" length)
  math(EXPR at "${at} + ${length}")
  set(${out} ${at} PARENT_SCOPE)
endfunction()

# The little-endian word at a place of the hex text, as a number.
function(word_at bytes at out)
  string(SUBSTRING "${bytes}" ${at} 4 word)
  string(REGEX REPLACE "(..)(..)" "\\2\\1" word "${word}")
  math(EXPR word "0x${word}")
  set(${out} ${word} PARENT_SCOPE)
endfunction()

# The file version stamped in a program, as "major.minor.build.revision": the fixed part of
# its version resource follows the key "VS_VERSION_INFO" (padded to four bytes), opens
# with the signature 0xFEEF04BD and the structure version, then holds the version's most
# and least significant double words, each a high and a low word.
function(read_file_version program out)
  file(READ ${program} bytes HEX)
  find_version_key("${bytes}" "VS_VERSION_INFO" "00000000bd04effe" "${program} has no version resource" at)
  set(parts)
  foreach(word 28 24 36 32)   # the high and the low word of each double word
    math(EXPR at_word "${at} + ${word}")
    word_at("${bytes}" ${at_word} part)
    list(APPEND parts ${part})
  endforeach()
  list(JOIN parts "." version)
  set(${out} "${version}" PARENT_SCOPE)
endfunction()

# The language of a program's version resource: the first word of its "Translation" value,
# which follows the key's closing null, padded to four bytes.
function(read_version_language program out)
  file(READ ${program} bytes HEX)
  find_version_key("${bytes}" "Translation" "0000" "${program} names no language in its version resource" at)
  math(EXPR at "(${at} / 2 + 2 + 3) / 4 * 4 * 2")
  word_at("${bytes}" ${at} language)
  set(${out} ${language} PARENT_SCOPE)
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

matching_rows(files File "^KIV\\.exe\tEditorProgram\t" "the package holds no file KIV.exe")
# Windows Installer keeps a versioned file it finds in place of one listed without a version.
read_file_version(${PROGRAM} stamped)
string(REPLACE "\t" ";" file_row "${files}")
list(GET file_row 4 listed)
if(NOT listed STREQUAL stamped)
  message(FATAL_ERROR "the package lists KIV.exe as version '${listed}', the program is ${stamped}")
endif()
# A versioned file is listed with its version resource's language too.
read_version_language(${PROGRAM} language)
list(GET file_row 5 listed_language)
if(NOT listed_language STREQUAL language)
  message(FATAL_ERROR "the package lists KIV.exe in the language '${listed_language}', the program's is ${language}")
endif()
# The product is the program's version: major.minor.build.
matching_rows(product Property "^ProductVersion\t" "the package states no product version")
string(REGEX REPLACE "\\.[0-9]+$" "" product_version "${stamped}")
if(NOT product STREQUAL "ProductVersion\t${product_version}")
  string(REPLACE "\t" " " product "${product}")
  message(FATAL_ERROR "the package states '${product}', the program is ${stamped}")
endif()
export_table(MsiFileHash hashes)
if(hashes MATCHES "(^|;)KIV\\.exe\t")
  message(FATAL_ERROR "the versioned KIV.exe has a hash, which is for unversioned files only")
endif()

# It keeps one with a higher version too: the component that installs the program first
# removes whatever file lies there (install mode 1: on install).
matching_rows(removed RemoveFile "^[^\t]+\tEditorProgram\tKIV\\.exe\tINSTALLDIR\t1$"
              "the package does not remove a KIV.exe found in its place on install")
