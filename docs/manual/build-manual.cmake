# Compiles PROJECT (a .hhp) into OUTPUT with CHMCMD and refuses a help file that lacks a page or a
# picture: chmcmd only warns about a missing file and writes the help file anyway.
#   cmake -DCHMCMD=... -DPROJECT=.../manual.hhp -DOUTPUT=.../manual.chm -P build-manual.cmake
get_filename_component(source_dir ${PROJECT} DIRECTORY)
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
get_filename_component(output_name ${OUTPUT} NAME)
set(work ${output_dir}/chm-work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

# chmcmd writes the compiled file into its working folder, under the name the project gives.
execute_process(COMMAND ${CHMCMD} --verbosity 1 ${PROJECT}
                WORKING_DIRECTORY ${work}
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR log MATCHES "Warning|Error")
  message(FATAL_ERROR "chmcmd failed on ${PROJECT}:\n${log}")
endif()
file(READ ${PROJECT} project_text)
string(REGEX MATCH "Compiled file=([^\n\r]*)" _ "${project_text}")
set(compiled ${work}/${CMAKE_MATCH_1})
if(NOT EXISTS ${compiled})
  message(FATAL_ERROR "chmcmd wrote no ${CMAKE_MATCH_1}:\n${log}")
endif()

# A compiled help file starts with "ITSF" and names every file it holds in its directory, each
# name after a length byte (which is itself printable for names of 32 characters or more).
file(READ ${compiled} magic LIMIT 4 HEX)
if(NOT magic STREQUAL "49545346")
  message(FATAL_ERROR "${compiled} is not a compiled help file")
endif()
file(GLOB pages RELATIVE ${source_dir} ${source_dir}/*.html ${source_dir}/images/*.png ${source_dir}/images/*.jpg)
file(STRINGS ${compiled} names REGEX "/")
string(JOIN "\n" names ${names})
foreach(page ${pages} style.css)
  string(FIND "${names}" "/${page}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${output_name} lacks ${page}: is it listed in the project or linked from a page?")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${compiled} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot write ${OUTPUT}")
endif()
file(REMOVE_RECURSE ${work})
