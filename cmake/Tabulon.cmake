# Collects the C++ sources of the given folders (relative to the top of the
# tree); new files are picked up at the next build without editing this list.
function(tabulon_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Where an installed tree keeps what is not a program: the add-in's package
# modules (one folder per host version) and the host libraries they share
# with the simulators are private to Tabulon, so they live under
# lib/tabulon rather than beside the system's libraries.
set(TABULON_INSTALL_PKGLIBDIR ${CMAKE_INSTALL_LIBDIR}/tabulon)
set(TABULON_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tabulon)

# No test may write into the home folder of whoever runs the suite, nor
# leave files in the shared temporary folder: every test of the calling
# folder gets a home, a configuration folder and a temporary folder inside
# the build tree, so a run that forgets --hive, or a file a test does not
# clean up, stays in there. Every folder that adds tests calls this after its
# last add_test.
function(tabulon_keep_tests_home)
  set(home ${CMAKE_BINARY_DIR}/test-home)
  file(MAKE_DIRECTORY ${home}/tmp)
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(test IN LISTS tests)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "HOME=${home}"
                 "XDG_CONFIG_HOME=${home}/.config" "TMPDIR=${home}/tmp" "TEST_TMPDIR=${home}/tmp")
  endforeach()
endfunction()
