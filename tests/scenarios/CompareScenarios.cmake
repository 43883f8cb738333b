# Every scenario script run on the real platform's build and on the headless
# build, their states compared after each command (run_compare.py). A build
# for Windows calls, once its simulator is a target (tabulon_script_hosts of
# tests/scenarios reads each script's hosts):
#   tabulon_compare_scenarios(TARGET)
# which adds compare.NAME.hostN for each script and each host build the
# script names that this build makes. TARGET's program runs through ctest's
# emulator (Wine); the headless side is TABULON_HEADLESS_BUILD's
# bin/tabulon-ide. A test skips (77), saying which build to make, when that
# build is missing, and skips a headless-only script, saying why.
set(TABULON_HEADLESS_BUILD ${PROJECT_SOURCE_DIR}/build
    CACHE PATH "A headless build whose bin/tabulon-ide the scenario comparison runs")

function(tabulon_compare_scenarios target)
  if(NOT TABULON_PLATFORM STREQUAL "win32")
    return()
  endif()
  find_program(TABULON_PYTHON3 python3 REQUIRED)
  set(dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  file(GLOB scripts CONFIGURE_DEPENDS ${dir}/*.tide)
  foreach(script IN LISTS scripts)
    get_filename_component(name ${script} NAME_WE)
    tabulon_script_hosts(${script} hosts)
    foreach(v IN LISTS hosts)
      add_test(NAME compare.${name}.host${v}
               COMMAND ${TABULON_PYTHON3} ${dir}/run_compare.py --script ${script} --host ${v}
                       --work ${CMAKE_CURRENT_BINARY_DIR}/compare/${name}.host${v} --timeout 250
                       --headless ${TABULON_HEADLESS_BUILD}/bin/tabulon-ide
                       --win32 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}>)
      # Each side may take 250 s before the runner gives it up and says so.
      # A comparison runs alone: twice the first of them, started beside a
      # test program in the same Wine prefix and X display, never ended
      # under Wine, though alone it takes seconds.
      set_tests_properties(compare.${name}.host${v} PROPERTIES
                           SKIP_RETURN_CODE 77 FIXTURES_REQUIRED wine TIMEOUT 600 RUN_SERIAL TRUE)
    endforeach()
  endforeach()
endfunction()
