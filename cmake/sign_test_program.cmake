# Makes a test root and a code-signing certificate it issued, and signs a copy of a program
# with them, for the Win32 tests of the signature evidence. Run as a build step:
#   cmake -DOPENSSL=... -DOSSLSIGNCODE=... -DPROGRAM=... -DOUTPUT_DIR=... -P this file
cmake_minimum_required(VERSION 3.20)

set(dir ${OUTPUT_DIR}/signing)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/extensions.cnf
  "[req]\ndistinguished_name=dn\n[dn]\n"
  "[root]\nbasicConstraints=critical,CA:true\nkeyUsage=critical,keyCertSign,cRLSign\n"
  "subjectKeyIdentifier=hash\n"
  "[leaf]\nbasicConstraints=CA:false\nkeyUsage=critical,digitalSignature\n"
  "extendedKeyUsage=codeSigning\nauthorityKeyIdentifier=keyid\nsubjectKeyIdentifier=hash\n")
function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGV}: ${error}")
  endif()
endfunction()
run(${OPENSSL} req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Nexolant Test Root"
  -config ${dir}/extensions.cnf -extensions root -keyout ${dir}/root.key -out ${dir}/root.pem)
run(${OPENSSL} req -newkey rsa:2048 -nodes -subj "/CN=Nexolant Test Signer"
  -config ${dir}/extensions.cnf -keyout ${dir}/leaf.key -out ${dir}/leaf.csr)
run(${OPENSSL} x509 -req -days 3650 -in ${dir}/leaf.csr -CA ${dir}/root.pem -CAkey ${dir}/root.key
  -CAcreateserial -extfile ${dir}/extensions.cnf -extensions leaf -out ${dir}/leaf.pem)
run(${OPENSSL} x509 -in ${dir}/root.pem -outform der -out ${OUTPUT_DIR}/test_root.cer)
file(REMOVE ${OUTPUT_DIR}/signed_program.exe)
run(${OSSLSIGNCODE} sign -certs ${dir}/leaf.pem -key ${dir}/leaf.key -n "Nexolant test"
  -in ${PROGRAM} -out ${OUTPUT_DIR}/signed_program.exe)
