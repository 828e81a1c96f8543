# Where a source file goes is decided by its name:
#   name.cpp              portable code (no <windows.h>): quorel_core, both builds
#   name_test.cpp         host test of portable code: host_tests
#   name_win.cpp          Win32 shell: quorel_shell, Windows build only
#   name_main_win.cpp     entry point of a deliverable: named by that folder's CMakeLists.txt
#   name_win_test.cpp     shell test, run under wine: <folder>_win_tests.exe
#   name_win_test.rc      resources of that folder's shell tests
#   name_e2e_win_test.cpp end-to-end test of a real program, run under wine from the
#                         fixed moment QUOREL_E2E_TIME: <folder>_e2e_win_tests.exe
#   name_bench.cpp        benchmark: named by that folder's CMakeLists.txt
#   name_fuzz.cpp         libFuzzer target of a reader of outside data: name_fuzz, built
#                         only by the fuzz build (make fuzz), seeds in fuzz_corpus/name/

# Folders whose code makes up quorel.exe.
set(QUOREL_PROGRAM_DIRS base wingui app render calendar sound alarm schedule net settings_ui resources)
# Folders of the other deliverables: they build their own targets (dist: the
# installer's test program; the installer itself is made by `make dist`).
set(QUOREL_OTHER_DIRS packs cleanup dist)

function(quorel_glob out dir)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The .cpp files of the folders whose names match `take` and not `skip`.
function(quorel_collect out take skip)
  set(result)
  foreach(dir ${ARGN})
    quorel_glob(files ${dir})
    foreach(f ${files})
      if(f MATCHES "${take}" AND NOT f MATCHES "${skip}")
        list(APPEND result ${f})
      endif()
    endforeach()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(quorel_collect_portable out)
  quorel_collect(result "\\.cpp$" "(_test|_win|_bench|_fuzz)\\.cpp$" ${ARGN})
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(quorel_collect_tests out)
  quorel_collect(result "_test\\.cpp$" "_win_test\\.cpp$" ${ARGN})
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(quorel_collect_shell out)
  quorel_collect(result "_win\\.cpp$" "_main_win\\.cpp$" ${ARGN})
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# <dir>_win_tests.exe from <dir>/*_win_test.cpp (and *_win_test.rc), in bin/tests/.
function(quorel_add_shell_tests dir)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*_win_test.cpp)
  file(GLOB e2e CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*_e2e_win_test.cpp)
  if(tests AND e2e)
    list(REMOVE_ITEM tests ${e2e})
  endif()
  if(e2e)
    quorel_add_test_program(${dir}_e2e_win_tests ${dir} "${e2e}")
  endif()
  if(tests)
    quorel_add_test_program(${dir}_win_tests ${dir} "${tests}")
  endif()
endfunction()

# The fixed moment the end-to-end tests start from (wine runs them under faketime).
set(QUOREL_E2E_TIME "2026-12-24 17:59:05")
# A folder's own moment, where its end-to-end tests need another one
# (<dir>_e2e_win_tests-time.txt beside the program tells the test runner).
set(QUOREL_E2E_TIME_sound "2026-12-24 14:59:50")  # the time signal at 15:00
set(QUOREL_E2E_TIME_alarm "2026-12-24 06:59:30")  # alarms of the minutes after
set(QUOREL_E2E_TIME_calendar "2026-12-24 23:59:30")  # the calendar turns to the 25th at midnight
set(QUOREL_E2E_TIME_net "2026-12-24 10:00:05")  # a still morning: only the mail icon changes

function(quorel_add_test_program name dir tests)
  if(NOT tests)
    return()
  endif()
  file(GLOB rcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*_win_test.rc)
  add_executable(${name} ${tests} ${rcs})
  if(TARGET ${dir}_lib)
    target_link_libraries(${name} PRIVATE ${dir}_lib)
  endif()
  target_link_libraries(${name} PRIVATE quorel_shell quorel_gtest_main quorel_gtest)
  set(moment "${QUOREL_E2E_TIME}")
  if(DEFINED QUOREL_E2E_TIME_${dir})
    set(moment "${QUOREL_E2E_TIME_${dir}}")
    if(name MATCHES "_e2e_win_tests$")
      file(WRITE ${CMAKE_BINARY_DIR}/bin/tests/${name}-time.txt "${moment}\n")
    endif()
  endif()
  target_compile_definitions(${name} PRIVATE QUOREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                             QUOREL_E2E_TIME="${moment}")
  add_dependencies(${name} quorel_strings)
  if(TARGET quorel_art)
    add_dependencies(${name} quorel_art quorel_texts)  # tests may include the program's resources
  endif()
  list(FIND QUOREL_PROGRAM_DIRS ${dir} program_dir)
  if(rcs AND QUOREL_RC_DEPENDS AND program_dir GREATER -1)
    set_source_files_properties(${rcs} DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTIES OBJECT_DEPENDS "${QUOREL_RC_DEPENDS}")
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/tests)
endfunction()
