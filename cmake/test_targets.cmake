# How the test programs are built and run.

# Tests of a Windows tree run through scripts/wine-run. On a machine without 32-bit Wine, or
# whose kernel cannot run 32-bit programs, it ends a 32-bit program's run with code 77 and says
# why; CTest then reports the test as skipped, not as passed or failed.
function(nexolant_emulated_tests)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${ARGN} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()

# The test programs' own code is built with light optimisation in the Windows trees, whose
# Release flags optimise fully: most of a test file's time goes to the optimiser, and the
# program's code that the tests link keeps the optimisation it ships with.
function(nexolant_light_test_build target)
  if(CMAKE_CROSSCOMPILING)
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()

# The test files of one folder compile together, up to eight in a unit: the headers and test
# templates they share are compiled once, which takes about a third off a tree's build. Names
# at file scope must therefore differ between the files of a folder; a new file changes the
# units of its own folder only.
function(nexolant_unity_test_build target folder)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  set(sources ${ARGN})
  list(SORT sources)
  set(previous "")
  set(count 0)
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH relative ${folder} ${source})
    string(REGEX REPLACE "/.*" "" group "${relative}")
    if(NOT group STREQUAL previous)
      set(previous ${group})
      set(count 0)
    endif()
    math(EXPR unit "${count} / 8")
    math(EXPR count "${count} + 1")
    if(group STREQUAL relative)
      set(group top)
    endif()
    set_source_files_properties(${source} TARGET_DIRECTORY ${target}
      PROPERTIES UNITY_GROUP ${group}_${unit})
  endforeach()
endfunction()
