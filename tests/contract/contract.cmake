# The window contract: compiled into each front end's test program, which
# supplies the driver.
set(TARVO_CONTRACT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_contract.cpp)
set(TARVO_ARCADE_SET ${CMAKE_BINARY_DIR}/arcade-set)
# A full arcade set: 70,000 empty ROM files r000000.nes ... r069999.nes, made
# once per build tree (making them in a test would cost more than the test).
add_custom_command(OUTPUT ${TARVO_ARCADE_SET}/r069999.nes
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVO_ARCADE_SET}
  COMMAND ${CMAKE_COMMAND} -E chdir ${TARVO_ARCADE_SET} sh -c "seq -f r%06.0f.nes 0 69999 | xargs touch"
  VERBATIM)
add_custom_target(arcade_set DEPENDS ${TARVO_ARCADE_SET}/r069999.nes)
# ROM folders on a slow network share, mounted with slowfs (where it and
# FUSE are there) while a suite runs: a fixture of every case. A copy of
# the sources kept elsewhere names the tools' folder in TARVO_SHARED_TOOLS.
set(TARVO_SLOW_SHARE ${CMAKE_BINARY_DIR}/slow-share)
find_program(TARVO_SLOWFS slowfs PATHS ${PROJECT_SOURCE_DIR}/../shared/tools/slowfs $ENV{TARVO_SHARED_TOOLS}/slowfs
  NO_DEFAULT_PATH)
set(share_script ${CMAKE_CURRENT_LIST_DIR}/slow_share.sh)
add_test(NAME slow_share.mount
  COMMAND ${share_script} mount ${TARVO_SLOW_SHARE} "${TARVO_SLOWFS}" ${PROJECT_SOURCE_DIR}/tests/data/red-green.png)
add_test(NAME slow_share.unmount COMMAND ${share_script} unmount ${TARVO_SLOW_SHARE})
set_tests_properties(slow_share.mount PROPERTIES FIXTURES_SETUP slow_share)
set_tests_properties(slow_share.unmount PROPERTIES FIXTURES_CLEANUP slow_share)
function(tarvo_add_contract target)
  target_sources(${target} PRIVATE ${TARVO_CONTRACT_SOURCES})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_compile_definitions(${target} PRIVATE TARVO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TARVO_ARCADE_SET="${TARVO_ARCADE_SET}" TARVO_SLOW_SHARE="${TARVO_SLOW_SHARE}")
  add_dependencies(${target} arcade_set)
endfunction()
