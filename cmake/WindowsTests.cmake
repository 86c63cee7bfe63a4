# Tests are Windows programs run under Wine by ctest: through build/wine-run,
# in the build folder's own prefix, on the build's own Xvfb display.
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run --headless)

# GoogleTest, built from Debian's sources with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gtarget gtest gtest_main gmock gmock_main)
  target_compile_options(${gtarget} PRIVATE -w)
endforeach()

# The session's first program, which the session's start leaves running (see wine-run).
add_executable(wine_session_keeper WIN32 ${CMAKE_CURRENT_LIST_DIR}/SessionKeeper.c)
set_target_properties(wine_session_keeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_test(NAME wine_session_start COMMAND ${CMAKE_BINARY_DIR}/wine-run --start)
add_test(NAME wine_session_stop COMMAND ${CMAKE_BINARY_DIR}/wine-run --stop)
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

# add_windows_test(NAME SOURCES... LIBS... [TIMEOUT seconds] [DISPLAY])
# One GoogleTest program, run as one ctest test under Wine. DISPLAY marks a test that
# shows windows or uses the clipboard: focus, the screen's pixels and the clipboard
# belong to the one display, so such tests take turns.
function(add_windows_test name)
  cmake_parse_arguments(arg "DISPLAY" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} gmock gtest_main)
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${arg_TIMEOUT})
  if(arg_DISPLAY)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK display)
  endif()
endfunction()

# add_locale_runs(NAME FILTER gtest-filter LOCALES locale:codepage...)
# Runs the tests of the program NAME that the filter selects once more under each system
# locale (zh_CN:936 ...): Wine takes the system's code page from the locale's character
# type, the user's formats from its messages, which stay the usual ones. The locales are
# compiled into the build folder, so the machine need not have them. Each run tells the
# program the code page it must find (TEST_CODE_PAGE): a run that did not get its locale
# fails, as does one whose filter selects no test. The runs are alone on the prefix: a
# program that starts under another code page rewrites the prefix's font settings for it.
set(test_locales ${CMAKE_BINARY_DIR}/locales)
function(add_locale_runs name)
  cmake_parse_arguments(arg "" "FILTER" "LOCALES" ${ARGN})
  get_target_property(checked ${name} CODE_PAGE_CHECKED)
  if(NOT checked)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/build/SystemCodePageCheck.cpp)
    set_target_properties(${name} PROPERTIES CODE_PAGE_CHECKED TRUE)
  endif()
  foreach(run ${arg_LOCALES})
    string(REPLACE ":" ";" run ${run})
    list(GET run 0 locale)
    list(GET run 1 codepage)
    set(compiled ${test_locales}/${locale}.UTF-8)
    if(NOT TARGET test_locale_${locale})
      add_custom_command(OUTPUT ${compiled}/LC_CTYPE
        COMMAND ${CMAKE_COMMAND} -E make_directory ${test_locales}
        COMMAND localedef -i ${locale} -f UTF-8 ${compiled}
        COMMENT "Compiling the locale ${locale}.UTF-8 for the tests" VERBATIM)
      add_custom_target(test_locale_${locale} ALL DEPENDS ${compiled}/LC_CTYPE)
    endif()
    add_dependencies(${name} test_locale_${locale})
    add_test(NAME ${name}_cp${codepage} COMMAND ${name} --gtest_filter=${arg_FILTER})
    get_test_property(${name} TIMEOUT timeout)
    set_tests_properties(${name}_cp${codepage} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${timeout} RUN_SERIAL TRUE
      FAIL_REGULAR_EXPRESSION "Running 0 tests"
      ENVIRONMENT "LC_ALL=;LC_CTYPE=${locale}.UTF-8;LC_MESSAGES=C;LOCPATH=${test_locales};TEST_CODE_PAGE=${codepage}")
  endforeach()
endfunction()
