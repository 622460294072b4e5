# cmake -DPROGRAM=in.exe -DOUT=dir -P sign-sample.cmake: OUT/signed.exe, the program signed with a certificate
# made here for the test (OUT/cert.pem), as a vendor signs setup.exe.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Setup Tests Signer"
                        -keyout ${OUT}/key.pem -out ${OUT}/cert.pem
                RESULT_VARIABLE made OUTPUT_QUIET ERROR_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "openssl could not make the test certificate")
endif()
file(REMOVE ${OUT}/signed.exe)
execute_process(COMMAND osslsigncode sign -certs ${OUT}/cert.pem -key ${OUT}/key.pem -in ${PROGRAM}
                        -out ${OUT}/signed.exe
                RESULT_VARIABLE signed OUTPUT_QUIET ERROR_QUIET)
if(NOT signed EQUAL 0)
  message(FATAL_ERROR "osslsigncode could not sign ${PROGRAM}")
endif()
