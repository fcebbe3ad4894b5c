# Compiles the help sources into Nexolant.chm:
#   cmake -DCHMCMD=chmcmd -DSOURCE=docs/help -DWORK=scratch-folder -DOUTPUT=Nexolant.chm -P compile_help.cmake
# chmcmd writes its output beside the project file, so it works on a copy of the sources. It
# only warns about a link or a picture that is not there; here that fails the build, so the
# shipped help never has a broken link or image.
file(REMOVE_RECURSE "${WORK}")
file(COPY "${SOURCE}/" DESTINATION "${WORK}")
execute_process(COMMAND "${CHMCMD}" Nexolant.hhp
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "Warning")
  message(FATAL_ERROR "chmcmd failed on ${SOURCE}:\n${output}")
endif()
file(COPY_FILE "${WORK}/Nexolant.chm" "${OUTPUT}")
