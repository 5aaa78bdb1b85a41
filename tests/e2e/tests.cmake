# Whole-program runs look for windows on the shared desktop; a run that asks
# the maker's server for its files gets a local server of its own.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
