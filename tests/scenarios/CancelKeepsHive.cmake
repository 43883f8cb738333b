# Runs a script on a copy of a hive file and fails unless the file is byte
# for byte what it was:  -DIDE=... -DHIVE=... -DSCRIPT=... -DWORK=...
file(COPY_FILE ${HIVE} ${WORK})
execute_process(COMMAND ${IDE} --hive ${WORK} ${SCRIPT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the script failed with status ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${HIVE} ${WORK} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the hive file changed")
endif()
