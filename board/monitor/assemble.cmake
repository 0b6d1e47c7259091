# Assembles one monitor image quietly; a failed assembly fails the build with its report.
execute_process(COMMAND "${TARNIKASM}" "${SOURCE}" RESULT_VARIABLE status OUTPUT_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SOURCE} did not assemble cleanly:\n${report}")
endif()
