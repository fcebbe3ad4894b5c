# Tests of a Windows tree run through scripts/wine-run. On a machine without 32-bit Wine, or
# whose kernel cannot run 32-bit programs, it ends a 32-bit program's run with code 77 and says
# why; CTest then reports the test as skipped, not as passed or failed.
function(nexolant_emulated_tests)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${ARGN} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()
