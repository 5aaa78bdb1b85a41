# The welcome page tests run against a local server of their own.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
# They open dialogs on the shared Wine desktop, like the main window's tests.
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
