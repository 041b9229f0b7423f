# The window contract: compiled into each front end's test program, which
# supplies the driver.
set(TARVO_CONTRACT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/window_contract.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scratch_folder.cpp)
function(tarvo_add_contract target)
  target_sources(${target} PRIVATE ${TARVO_CONTRACT_SOURCES})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_compile_definitions(${target} PRIVATE TARVO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
