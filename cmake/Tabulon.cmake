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

# What is the same in every host build is compiled once: a target linked to
# this one compiles without TABULON_HOST (System.h then leaves HostVersion
# out), and -Wundef turns an `#if TABULON_HOST` that would slip in through a
# header into an error instead of a silent host 0.
add_library(tabulon_host_independent INTERFACE)
target_compile_definitions(tabulon_host_independent INTERFACE TABULON_HOST_INDEPENDENT)
target_compile_options(tabulon_host_independent INTERFACE -Wundef)

# Makes a target once per host build in TABULON_HOST_VERSIONS, from the same
# sources. In every argument "{v}" stands for the build's version, so
# "tabulon_engine{v}" is tabulon_engine5, tabulon_engine6 and so on.
#   tabulon_per_host(<name{v}> <STATIC|SHARED|MODULE|OBJECT|EXECUTABLE>
#     SOURCES <files>...        compiled for each build
#     SOURCES_<v> <files>...    compiled for build <v> alone
#     COMMON_SOURCES <files>... compiled once for all builds (they must not
#                               depend on TABULON_HOST), into the object
#                               library <name_common>, which takes its include
#                               folders from COMMON_INCLUDE, and those and its
#                               definitions from the targets in COMMON_LINK
#                               (the build's own target links what it needs
#                               through LINK: an object library named there
#                               would put its objects in the target itself)
#     INCLUDE <folders>...      the target's include folders
#     LINK <libraries>...       as target_link_libraries takes them
#     DEFINE <definitions>...   as target_compile_definitions takes them
#     PRECOMPILE <headers>...   precompiled for each build (as
#                               target_precompile_headers takes them)
#     PRECOMPILE_FROM <name{v}> or the same build's header of that target,
#                               which must be compiled with the same options
#     PROPERTIES <name value>... DEPENDS <targets>... ALIAS <name{v}>
#     EACH <function>)          called as <function>(<target> <version>) for
#                               whatever else a build's target needs
# INCLUDE, LINK and DEFINE are public for a library and private for a
# program or a module unless they begin with PUBLIC, PRIVATE or INTERFACE.
function(tabulon_per_host name type)
  set(lists SOURCES COMMON_SOURCES COMMON_INCLUDE COMMON_LINK INCLUDE LINK DEFINE PROPERTIES DEPENDS
      PRECOMPILE)
  # Every version the project knows, so that a build of fewer still parses
  # the sources of the others.
  foreach(v 5 6 7)
    list(APPEND lists SOURCES_${v})
  endforeach()
  # PARSE_ARGV keeps empty values, such as a property set to "".
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "ALIAS;EACH;PRECOMPILE_FROM" "${lists}")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tabulon_per_host(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(type MATCHES "^(EXECUTABLE|MODULE)$")
    set(scope PRIVATE)
  else()
    set(scope PUBLIC)
  endif()
  if(ARG_COMMON_SOURCES)
    string(REPLACE "{v}" "_common" common ${name})
    add_library(${common} OBJECT ${ARG_COMMON_SOURCES})
    target_link_libraries(${common} PRIVATE tabulon_host_independent ${ARG_COMMON_LINK})
    target_include_directories(${common} PRIVATE ${ARG_COMMON_INCLUDE})
  endif()
  foreach(v IN LISTS TABULON_HOST_VERSIONS)
    string(REPLACE "{v}" ${v} target ${name})
    set(sources ${ARG_SOURCES} ${ARG_SOURCES_${v}})
    if(ARG_COMMON_SOURCES)
      list(APPEND sources $<TARGET_OBJECTS:${common}>)
    endif()
    if(type STREQUAL "EXECUTABLE")
      add_executable(${target} ${sources})
    else()
      add_library(${target} ${type} ${sources})
    endif()
    foreach(part INCLUDE LINK DEFINE)
      string(REPLACE "{v}" ${v} items "${ARG_${part}}")
      if(NOT items)
        continue()
      endif()
      list(GET items 0 first)
      if(NOT first MATCHES "^(PUBLIC|PRIVATE|INTERFACE)$")
        list(PREPEND items ${scope})
      endif()
      if(part STREQUAL "INCLUDE")
        target_include_directories(${target} ${items})
      elseif(part STREQUAL "LINK")
        target_link_libraries(${target} ${items})
      else()
        target_compile_definitions(${target} ${items})
      endif()
    endforeach()
    list(LENGTH ARG_PROPERTIES count)
    if(count GREATER 0)
      math(EXPR last "${count} - 1")
      foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET ARG_PROPERTIES ${i} property)
        list(GET ARG_PROPERTIES ${j} value)
        string(REPLACE "{v}" ${v} value "${value}")
        set_target_properties(${target} PROPERTIES ${property} "${value}")
      endforeach()
    endif()
    if(ARG_PRECOMPILE)
      target_precompile_headers(${target} PRIVATE ${ARG_PRECOMPILE})
    elseif(ARG_PRECOMPILE_FROM)
      string(REPLACE "{v}" ${v} donor ${ARG_PRECOMPILE_FROM})
      target_precompile_headers(${target} REUSE_FROM ${donor})
    endif()
    if(ARG_DEPENDS)
      string(REPLACE "{v}" ${v} depends "${ARG_DEPENDS}")
      add_dependencies(${target} ${depends})
    endif()
    if(ARG_ALIAS)
      string(REPLACE "{v}" ${v} alias ${ARG_ALIAS})
      add_library(${alias} ALIAS ${target})
    endif()
    if(ARG_EACH)
      cmake_language(CALL ${ARG_EACH} ${target} ${v})
    endif()
  endforeach()
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
# last add_test; tests found when ctest runs get the same home from
# tabulon_add_gtests.
set(TABULON_TESTS_HOME ${CMAKE_BINARY_DIR}/test-home)
function(tabulon_keep_tests_home)
  set(home ${TABULON_TESTS_HOME})
  file(MAKE_DIRECTORY ${home}/tmp)
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(test IN LISTS tests)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "HOME=${home}"
                 "XDG_CONFIG_HOME=${home}/.config" "TMPDIR=${home}/tmp" "TEST_TMPDIR=${home}/tmp")
  endforeach()
endfunction()

# A shared host library or package calls its own functions directly, as a
# Windows DLL does, instead of each through the dynamic linker, which looks
# its name up at the first call (thousands of names, a few hundred
# instructions each, paid by whichever action first reaches the function).
# Data keeps the usual binding, so that a static an inline function holds
# stays one object for the program and every module.
function(tabulon_bind_functions_locally target)
  if(NOT WIN32)
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions)
  endif()
endfunction()
