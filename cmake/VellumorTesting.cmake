# Test helpers shared by every tests/ folder.
#
# vellumor_add_test(NAME name SOURCES ... [LIBS ...] [WINDOWS_GUI])
#   One GoogleTest program and one ctest entry. On Windows it is run under Wine
#   (the emulator), once per program so Wine's start-up is paid once.

if(WIN32)
  if(NOT TARGET GTest::gtest)
    # Debian ships the sources; build them with the cross compiler.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # It defines the GTest::gtest and GTest::gmock aliases itself.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  find_program(VELLUMOR_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/bin REQUIRED NO_DEFAULT_PATH)
  set(VELLUMOR_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
    @ONLY)
else()
  find_package(GTest REQUIRED)
endif()

function(vellumor_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vellumor_options)
  if(WIN32)
    # Windows test programs share a main with a watchdog, so a box left open fails fast.
    target_link_libraries(${T_NAME} PRIVATE vellumor_test_support GTest::gmock GTest::gtest)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gtest_main)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600)
endfunction()

# Adds each of VELLUMOR_WINDOWS_LAYERS below `base` that has a CMakeLists.txt (Windows build only).
function(vellumor_add_windows_layers base)
  if(NOT WIN32)
    return()
  endif()
  foreach(dir ${VELLUMOR_WINDOWS_LAYERS})
    if(EXISTS ${base}/${dir}/CMakeLists.txt)
      add_subdirectory(${base}/${dir})
    endif()
  endforeach()
endfunction()

# Gives a Windows executable a VERSIONINFO resource with the project's version.
function(vellumor_version_info target description)
  if(NOT WIN32)
    return()
  endif()
  set(VELLUMOR_FILE_DESCRIPTION "${description}")
  set(VELLUMOR_FILE_NAME "${target}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
endfunction()
