# Regenerates the width table into OUTPUT and fails unless it equals COMMITTED byte for byte.
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${SOURCE} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the width table generator failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${OUTPUT}
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${COMMITTED} differs from what scripts/gen-width-table makes")
endif()
