# cmake --install --strip into a fresh prefix, then the installed tree on its
# own: from another working folder, the installed tabulon-ide loads each host
# version's package from lib/tabulon, the README and the examples are in
# share/doc/tabulon, and the example tour runs from there.
#   -DBUILD=<build tree> -DPREFIX=<fresh prefix> -DWORK=<scratch folder>
file(REMOVE_RECURSE ${PREFIX} ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} --strip
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install --strip failed with status ${status}")
endif()

function(run_installed)
  execute_process(COMMAND ${PREFIX}/bin/tabulon-ide ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed tabulon-ide ${ARGN} failed (${status}):\n${out}${err}")
  endif()
endfunction()

foreach(v 5 6 7)
  if(NOT EXISTS ${PREFIX}/lib/tabulon/host${v}/Tabulon.bpl)
    message(FATAL_ERROR "no package module for host ${v} in ${PREFIX}/lib/tabulon")
  endif()
  run_installed(--host ${v} --hive :memory: -e show -e load
                -e "expect /package/loaded true" -e "expect /host ${v}")
endforeach()

set(doc ${PREFIX}/share/doc/tabulon)
foreach(file README.md examples/groups.reg examples/tour.tide)
  if(NOT EXISTS ${doc}/${file})
    message(FATAL_ERROR "${file} is not installed under ${doc}")
  endif()
endforeach()
# The manual page, made from the tables --help reads, with every option.
set(man ${PREFIX}/share/man/man1/tabulon-ide.1)
if(NOT EXISTS ${man})
  message(FATAL_ERROR "the manual page is not installed as ${man}")
endif()
file(READ ${man} page)
foreach(option "\\-\\-hive FILE" "\\-\\-tour" "\\-i" "\\-\\-version" "key NAME KEY")
  string(FIND "${page}" ".B ${option}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the manual page lacks ${option}:\n${page}")
  endif()
endforeach()
foreach(section "EXIT STATUS" ENVIRONMENT FILES EXAMPLES)
  string(FIND "${page}" ".SH ${section}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the manual page has no section ${section}")
  endif()
endforeach()
# It reads in a terminal 80 columns wide, where man is there to show it.
find_program(MAN man)
if(MAN)
  # In the C locale man writes ASCII, a byte a column; brackets,
  # semicolons and backslashes would not let CMake split it into lines.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C ${MAN} -l ${man}
                  OUTPUT_VARIABLE shown ERROR_QUIET RESULT_VARIABLE status)
  string(REPLACE "\\" "." shown "${shown}")
  string(REGEX REPLACE "[][;]" "." shown "${shown}")
  string(REPLACE "\n" ";" lines "${shown}")
  foreach(line IN LISTS lines)
    string(LENGTH "${line}" width)
    if(status EQUAL 0 AND width GREATER 80)
      message(FATAL_ERROR "the manual page is wider than 80 columns:\n${line}")
    endif()
  endforeach()
endif()
# The tour may store settings: it runs on a copy of the example hive.
file(COPY ${doc}/examples/groups.reg DESTINATION ${WORK})
run_installed(--hive ${WORK}/groups.reg ${doc}/examples/tour.tide)

# --strip leaves no symbol table in the programs and modules.
find_program(READELF readelf)
if(READELF)
  foreach(file bin/tabulon-ide-7 lib/tabulon/host7/Tabulon.bpl)
    execute_process(COMMAND ${READELF} -S ${PREFIX}/${file} OUTPUT_VARIABLE sections)
    if(sections MATCHES "\\.symtab")
      message(FATAL_ERROR "${file} is installed with its symbol table: --strip did not strip it")
    endif()
  endforeach()
endif()
