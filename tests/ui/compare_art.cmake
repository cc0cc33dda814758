# Draws the pictures anew into OUTPUT and fails unless each equals its committed copy in
# COMMITTED byte for byte.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "scripts/gen-art failed (${status})")
endif()
file(GLOB drawn RELATIVE ${OUTPUT} ${OUTPUT}/*)
file(GLOB committed RELATIVE ${COMMITTED} ${COMMITTED}/*)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "scripts/gen-art draws ${drawn}; ui/res holds ${committed}")
endif()
foreach(name IN LISTS drawn)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED}/${name} ${OUTPUT}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "ui/res/${name} differs from what scripts/gen-art draws")
  endif()
endforeach()
