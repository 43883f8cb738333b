# One hive file, the same kind of configuration entered under two host
# versions: each build keeps its own copy under its own root, and neither
# touches the other's.   -DIDE=... -DSCRIPT=... -DWORK=<folder>
file(REMOVE ${WORK}/two_roots.reg)
function(run_ide)
  execute_process(COMMAND ${IDE} --hive ${WORK}/two_roots.reg ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tabulon-ide ${ARGN} failed with status ${status}:\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()
function(enter host group page)
  file(READ ${SCRIPT} text)
  string(REPLACE "@GROUP@" "${group}" text "${text}")
  string(REPLACE "@PAGE@" "${page}" text "${text}")
  file(WRITE ${WORK}/two_roots_${host}.tide "${text}")
  run_ide(--host ${host} ${WORK}/two_roots_${host}.tide)
endfunction()

enter(5 "Данные" "ADO")
enter(7 "Основные" "Win32")
# Host 5 still reads its own group, and host 7 its own.
run_ide(--host 5 -e show -e load -e "expect /groupBar/sheets/0/caption \"Данные\""
        -e "expect /palette/tabs [\"ADO\"]")
run_ide(--host 7 -e show -e load -e "expect /groupBar/sheets/0/caption \"Основные\""
        -e "expect /palette/tabs [\"Win32\"]" -e registry)
foreach(root "5.0\\\\ORVExpert\\\\Pages\\]\n\"Данные\"=\"ADO"
             "7.0\\\\ORVExpert\\\\Pages\\]\n\"Основные\"=\"Win32")
  if(NOT out MATCHES "Delphi\\\\${root}")
    message(FATAL_ERROR "the hive lacks Delphi\\${root}:\n${out}")
  endif()
endforeach()
