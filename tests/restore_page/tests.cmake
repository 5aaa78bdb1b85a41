# The restore page's tests run against a local server of their own and open
# the main window on the shared Wine desktop.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
