# Gathers the sources of one help file in a staging folder for chmcmd: the language's pages
# and project files, the shared style sheet and the window picture. With CODEPAGE set, the
# project, contents and index files are converted from UTF-8 to that code page, because the
# Windows help viewer reads those three in the ANSI code page of the file's language (the
# pages declare UTF-8 themselves and stay as they are).
#
# cmake -DSOURCE_DIR=... -DSHARED_DIR=... -DSCREENSHOT=... -DSTAGE_DIR=... [-DCODEPAGE=CP1251 -DICONV=...] -P StageHelp.cmake
foreach(required SOURCE_DIR SHARED_DIR SCREENSHOT STAGE_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "StageHelp.cmake: ${required} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${STAGE_DIR}/images")
file(GLOB sources "${SOURCE_DIR}/*")
file(COPY ${sources} "${SHARED_DIR}/help.css" DESTINATION "${STAGE_DIR}")
file(COPY_FILE "${SCREENSHOT}" "${STAGE_DIR}/images/main-window.png")

if(CODEPAGE)
  if(NOT ICONV)
    message(FATAL_ERROR "StageHelp.cmake: converting to ${CODEPAGE} needs iconv")
  endif()
  string(TOLOWER "${CODEPAGE}" charset)
  string(REPLACE "cp" "windows-" charset "${charset}")
  file(GLOB projectFiles "${STAGE_DIR}/*.hhp" "${STAGE_DIR}/*.hhc" "${STAGE_DIR}/*.hhk")
  foreach(projectFile ${projectFiles})
    file(READ "${projectFile}" text)
    string(REPLACE "charset=utf-8" "charset=${charset}" text "${text}")
    file(WRITE "${projectFile}.utf8" "${text}")
    execute_process(COMMAND "${ICONV}" -f UTF-8 -t "${CODEPAGE}" "${projectFile}.utf8"
                    OUTPUT_FILE "${projectFile}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "StageHelp.cmake: ${projectFile} cannot be converted to ${CODEPAGE}")
    endif()
    file(REMOVE "${projectFile}.utf8")
  endforeach()
endif()
