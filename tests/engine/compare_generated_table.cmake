# Runs GENERATOR on SOURCES (a list) into OUTPUT and fails unless OUTPUT equals COMMITTED byte
# for byte.
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${SOURCES} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${OUTPUT}
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} makes")
endif()
