# The backup download tests run against a local server of their own.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
