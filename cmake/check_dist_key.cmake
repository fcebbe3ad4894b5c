# Refuses to package a program whose update key is a test key (cmake/update_key.cmake): the
# private half of a test key lies unprotected in a build tree.
#   cmake -DKEY=public.pem -DTREES=build-folder-parent -P check_dist_key.cmake
if(NOT KEY)
  return()
endif()
file(READ "${KEY}" key_text)
string(REGEX REPLACE "[ \t\r\n]" "" key_text "${key_text}")
file(GLOB test_keys "${TREES}/*/update-test-keys/*-public.pem"
  "${TREES}/*/*/update-test-keys/*-public.pem")
foreach(test_key IN LISTS test_keys)
  file(READ "${test_key}" test_text)
  string(REGEX REPLACE "[ \t\r\n]" "" test_text "${test_text}")
  if(key_text STREQUAL test_text)
    message(FATAL_ERROR "Not packaging: NEXOLANT_UPDATE_KEY (${KEY}) is the test key "
      "${test_key}, made when a build tree was configured. Name the key of your update server.")
  endif()
endforeach()
