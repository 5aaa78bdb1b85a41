# The firmware update page runs against a local server of its own and opens
# dialogs on the shared Wine desktop.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
