# Whole-program runs under the keyboard: windows, focus and keys on the shared
# desktop; the restore page's runs ask a local server of their own for the
# revisions index.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
