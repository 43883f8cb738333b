# cmake --install into a fresh prefix, then the installed tabulon-ide loads
# each host version's own package from there.   -DBUILD=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed with status ${status}")
endif()
foreach(v 5 6 7)
  execute_process(COMMAND ${PREFIX}/bin/tabulon-ide --host ${v} --hive :memory: -e show -e load
                          -e "expect /package/loaded true" -e "expect /host ${v}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed tabulon-ide --host ${v} failed (${status}):\n${out}${err}")
  endif()
  if(NOT EXISTS ${PREFIX}/packages/host${v}/Tabulon.bpl)
    message(FATAL_ERROR "no package module for host ${v} in ${PREFIX}")
  endif()
endforeach()
