# Every option of quillaran-web --help has an entry of its own in quillaran-web(1), and every
# setting of its list one in both man pages; groff, when present, reads the pages without a
# warning.   cmake -DPROGRAM=quillaran-web -DMAN_DIR=build/man -P ManPagesListEveryOption.cmake

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help ended with ${status}")
endif()
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
list(REMOVE_DUPLICATES options)
string(REGEX REPLACE ".*\nSettings[^\n]*\n" "" settings_list "${help}")
string(REGEX REPLACE "\n\n.*" "\n" settings_list "${settings_list}")
string(REGEX MATCHALL "(^|\n)  [A-Za-z][A-Za-z0-9]*" settings "${settings_list}")
list(TRANSFORM settings REPLACE "^\n?  " "")
list(LENGTH options option_count)
list(LENGTH settings setting_count)
if(option_count LESS 10 OR setting_count LESS 20)
  message(FATAL_ERROR "--help lists only ${option_count} options and ${setting_count} settings")
endif()

# An entry's tag is a line of its own that starts with the name in bold.
function(check_entries page names)
  file(READ ${MAN_DIR}/${page}.1 text)
  foreach(name IN LISTS names)
    string(REPLACE "-" "\\\\-" troff_name "${name}")
    if(NOT text MATCHES "\n\\\\fB${troff_name}\\\\fR( |\n)")
      message(SEND_ERROR "${page}(1) has no entry for ${name}")
    endif()
  endforeach()
endfunction()
check_entries(quillaran-web "${options};${settings}")
check_entries(quillaran "${settings}")

find_program(GROFF groff)
foreach(page quillaran quillaran-web)
  if(GROFF)
    execute_process(COMMAND ${GROFF} -man -ww -z -Tutf8 ${MAN_DIR}/${page}.1
      ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR warnings)
      message(SEND_ERROR "groff on ${page}(1): ${warnings}")
    endif()
  endif()
endforeach()
