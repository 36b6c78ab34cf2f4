# Helpers shared by every executable of the project.

set(LUMETTA_MANIFEST_RC ${CMAKE_SOURCE_DIR}/resources/common/manifest.rc)

# The Windows libraries the layers below the programs call into.
set(LUMETTA_SYSTEM_LIBS gdiplus comctl32 comdlg32 ole32 oleaut32 uuid shell32 advapi32 user32 gdi32 msimg32 kernel32)

# An executable of the project: every one carries the application manifest (common controls 6).
function(lumetta_executable target)
  cmake_parse_arguments(E "GUI" "" "SOURCES;LIBS" ${ARGN})
  if(E_GUI)
    add_executable(${target} WIN32 ${E_SOURCES} ${LUMETTA_MANIFEST_RC})
  else()
    add_executable(${target} ${E_SOURCES} ${LUMETTA_MANIFEST_RC})
  endif()
  target_link_libraries(${target} PRIVATE ${E_LIBS} ${LUMETTA_SYSTEM_LIBS})
endfunction()
