# The stand-in flashing program the combined-chip writer runs in these tests.
if(NOT TARGET standin_tool)
  add_executable(standin_tool ${CMAKE_SOURCE_DIR}/tests/fixtures/standin/StandInTool.cpp)
  target_link_options(standin_tool PRIVATE -municode)
endif()
add_dependencies(${target} standin_tool)
target_compile_definitions(${target} PRIVATE TORVIK_STANDIN_TOOL="$<TARGET_FILE:standin_tool>")
