# The key web updates are verified with, and the key pairs the tests sign with.
set(NEXOLANT_UPDATE_KEY "" CACHE FILEPATH
  "Public key (PEM, ECDSA P-256) a downloaded Reference.dat must be signed with; empty: updates are not authenticated")
find_program(OPENSSL_PROGRAM openssl REQUIRED)

# Two test key pairs, made once per tree when it is configured and never committed: "signing"
# signs the tests' files, "other" is a key those files must not verify with. A key from here
# is never packaged (cmake/check_dist_key.cmake).
set(NEXOLANT_TEST_KEY_DIR ${CMAKE_BINARY_DIR}/update-test-keys)
foreach(name signing other)
  set(private_key ${NEXOLANT_TEST_KEY_DIR}/${name}-private.pem)
  set(public_key ${NEXOLANT_TEST_KEY_DIR}/${name}-public.pem)
  if(NOT EXISTS ${public_key})
    file(MAKE_DIRECTORY ${NEXOLANT_TEST_KEY_DIR})
    execute_process(COMMAND ${OPENSSL_PROGRAM} ecparam -name prime256v1 -genkey -noout
      -out ${private_key} RESULT_VARIABLE made_private ERROR_VARIABLE openssl_error)
    execute_process(COMMAND ${OPENSSL_PROGRAM} ec -in ${private_key} -pubout -out ${public_key}
      RESULT_VARIABLE made_public ERROR_VARIABLE openssl_error)
    if(made_private OR made_public)
      file(REMOVE ${private_key} ${public_key})
      message(FATAL_ERROR "Cannot make the test key pair ${name}: ${openssl_error}")
    endif()
  endif()
endforeach()

# The program's key: a P-256 public key, compiled into the program as its PEM text.
if(NEXOLANT_UPDATE_KEY)
  execute_process(COMMAND ${OPENSSL_PROGRAM} pkey -pubin -in ${NEXOLANT_UPDATE_KEY} -noout -text
    RESULT_VARIABLE key_unreadable OUTPUT_VARIABLE key_text ERROR_QUIET)
  if(key_unreadable OR NOT key_text MATCHES "NIST CURVE: P-256")
    message(FATAL_ERROR "NEXOLANT_UPDATE_KEY must name a PEM public key of ECDSA P-256 "
      "(nexref keygen, or openssl ec -pubout), not \"${NEXOLANT_UPDATE_KEY}\"")
  endif()
  file(READ ${NEXOLANT_UPDATE_KEY} NEXOLANT_UPDATE_KEY_PEM)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${NEXOLANT_UPDATE_KEY})
else()
  set(NEXOLANT_UPDATE_KEY_PEM "")
  message(NOTICE "Nexolant: NEXOLANT_UPDATE_KEY is not set; this build's web updates are not authenticated, and make dist refuses to package it")
endif()
