# Whole-program updates with firmware from a local server of their own, which
# also serves the demonstration server's files, and windows on the shared
# desktop.
include(${CMAKE_SOURCE_DIR}/tests/update_e2e/update_program.cmake)
torvik_update_program(${target} ${tests})
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/demo.cmake)
torvik_demo_server(${target})
