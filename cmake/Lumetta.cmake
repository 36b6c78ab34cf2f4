# Helpers shared by every executable of the project.

set(LUMETTA_MANIFEST_RC ${CMAKE_SOURCE_DIR}/resources/common/manifest.rc)

# The Windows libraries the layers below the programs call into.
set(LUMETTA_SYSTEM_LIBS gdiplus comctl32 comdlg32 ole32 oleaut32 uuid shell32 advapi32 user32 gdi32 msimg32 kernel32)

# The product's version for the code (shared/Version.h, generated from the project's VERSION).
set(LUMETTA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/shared/Version.h.in ${LUMETTA_GENERATED_DIR}/shared/Version.h @ONLY)

# An executable of the project: every one carries the application manifest (common controls 6).
# DESCRIPTION gives it a version resource naming the program (a program that ships).
function(lumetta_executable target)
  cmake_parse_arguments(E "GUI" "DESCRIPTION" "SOURCES;LIBS" ${ARGN})
  set(extra ${LUMETTA_MANIFEST_RC})
  if(E_DESCRIPTION)
    set(VERSION_DESCRIPTION ${E_DESCRIPTION})
    set(VERSION_NAME ${target})
    set(version_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${CMAKE_SOURCE_DIR}/resources/common/version.rc.in ${version_rc} @ONLY)
    list(APPEND extra ${version_rc})
  endif()
  if(E_GUI)
    add_executable(${target} WIN32 ${E_SOURCES} ${extra})
  else()
    add_executable(${target} ${E_SOURCES} ${extra})
  endif()
  target_link_libraries(${target} PRIVATE ${E_LIBS} ${LUMETTA_SYSTEM_LIBS})
endfunction()
