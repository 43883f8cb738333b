# The compiler's run-time DLLs that every program and module of the Windows
# build links: copied into the folder of the programs, where Windows looks
# for the DLLs of a program and of the modules it loads.
set(TABULON_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler's run-time ${dll} was not found (${CMAKE_CXX_COMPILER} -print-file-name)")
  endif()
  get_filename_component(path "${path}" REALPATH)
  file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  list(APPEND TABULON_MINGW_RUNTIME_DLLS ${path})
endforeach()
install(FILES ${TABULON_MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
