# Regenerates the package's registry entries from the built DLL into OUTPUT and fails unless
# they equal COMMITTED byte for byte.
string(REPLACE "/" "\\" dll "Z:${DLL}")
string(REPLACE "/" "\\" output "Z:${OUTPUT}")
execute_process(COMMAND ${WINE_RUN} ${PREFIX} ${GENERATOR} ${dll} ${output}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the registry generator failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${OUTPUT}
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${COMMITTED} differs from what scripts/gen-package-registry makes from "
                      "the built Tessel.dll: run the script and commit the result")
endif()
