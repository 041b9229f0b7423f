# The Windows zip holds Tarvo.exe, its read-me and an example Tarvo.ini that
# changes nothing until it is renamed, and nothing else.
#   cmake -DBUILD=<windows build> -DWORK=<scratch> -P check_zip.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack -G ZIP -B ${WORK} WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE failed OUTPUT_QUIET)
file(GLOB zip ${WORK}/Tarvo-*-windows.zip)
if(failed OR NOT zip)
  message(FATAL_ERROR "cpack made no Tarvo-<version>-windows.zip")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" files "${listing}")
list(REMOVE_ITEM files "")
list(SORT files)
if(NOT files STREQUAL "README-Windows.txt;Tarvo.exe;Tarvo.ini.example")
  message(FATAL_ERROR "the zip holds: ${files}")
endif()
