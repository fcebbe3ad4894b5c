# Refuses to package a program without an update key, which would take any file the update
# server or the network path to it sends, or whose key is a test key (cmake/update_key.cmake):
# the private half of a test key lies unprotected in a build tree.
#   cmake -DKEY=public.pem -DTREES=build-folder-parent -P check_dist_key.cmake
string(CONCAT how "Make the key pair of your update server once and keep its private half off "
  "the server (build/native/tools/nexref/nexref keygen update-private.pem update-public.pem), "
  "then name the public half in each Windows tree (cmake --preset win64 "
  "-DNEXOLANT_UPDATE_KEY=/full/path/update-public.pem, and the same for win32); see the README, "
  "Signed updates.")
if(NOT KEY)
  message(FATAL_ERROR "Not packaging: this build has no NEXOLANT_UPDATE_KEY, so its web update "
    "would take unsigned files. ${how}")
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
      "${test_key}, made when a build tree was configured. ${how}")
  endif()
endforeach()
