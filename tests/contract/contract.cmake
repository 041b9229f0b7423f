# The window contract: compiled into each front end's test program, which
# supplies the driver.
set(TARVO_CONTRACT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_contract.cpp)
set(TARVO_ARCADE_SET ${CMAKE_BINARY_DIR}/arcade-set)
add_custom_command(OUTPUT ${TARVO_ARCADE_SET}/r069999.nes
  COMMAND ${CMAKE_COMMAND} -DDIR=${TARVO_ARCADE_SET} -P ${CMAKE_CURRENT_LIST_DIR}/arcade_set.cmake)
add_custom_target(arcade_set DEPENDS ${TARVO_ARCADE_SET}/r069999.nes)
function(tarvo_add_contract target)
  target_sources(${target} PRIVATE ${TARVO_CONTRACT_SOURCES})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_compile_definitions(${target} PRIVATE TARVO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TARVO_ARCADE_SET="${TARVO_ARCADE_SET}")
  add_dependencies(${target} arcade_set)
endfunction()
