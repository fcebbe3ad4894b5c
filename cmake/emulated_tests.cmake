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
