# The launcher without the simulator build that --host asks for (the run
# preset builds the Delphi 7 one only) says how to build it.
#   -DLAUNCHER=<tabulon-ide> -DWORK=<scratch folder>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${LAUNCHER} DESTINATION ${WORK})
execute_process(COMMAND ${WORK}/tabulon-ide --host 5 -e show RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 2 OR NOT err MATCHES
   "the Delphi 5 simulator is not built .*cmake --build build --target tabulon-ide-5")
  message(FATAL_ERROR "status ${status}:\n${out}${err}")
endif()
