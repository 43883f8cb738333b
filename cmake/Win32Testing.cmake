# Tests of the cross build: GoogleTest built from Debian's sources
# (googletest installs them under /usr/src/googletest), and every test
# program run under Wine through ctest's emulator, in a Wine prefix inside
# the build tree that one setup test makes before the others run.
set(TABULON_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources for the cross build")
if(NOT EXISTS ${TABULON_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's sources not found in ${TABULON_GOOGLETEST_SOURCE}: install googletest (scripts/install-deps ci does)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${TABULON_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock)
  # Not our code: its warnings are not ours to mend.
  target_compile_options(${lib} PRIVATE -w)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()

find_program(TABULON_WINE wine)
find_program(TABULON_XVFB_RUN xvfb-run)
if(NOT TABULON_WINE OR NOT TABULON_XVFB_RUN)
  message(FATAL_ERROR "The win32 build runs its tests under Wine: install wine64 and xvfb (scripts/install-deps ci does), or configure with -DBUILD_TESTING=OFF")
endif()
set(TABULON_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${TABULON_WINE_PREFIX})

# A fresh prefix takes Wine some 20 seconds to make; the tests wait for it
# rather than each making it at once.
add_test(NAME wine.prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
# Without a window manager (Xvfb has none) Wine waits two seconds for one
# whenever a framed window is hidden or destroyed; unmanaged windows need
# none, and the forms of every test are such windows.
add_test(NAME wine.unmanaged_windows
         COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f)
set_tests_properties(wine.unmanaged_windows PROPERTIES FIXTURES_SETUP wine DEPENDS wine.prefix TIMEOUT 120)
