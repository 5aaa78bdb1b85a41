# Whole-program runs through the system's file dialogs: windows and keys on the
# shared desktop; the runs that download a firmware file or the manager's
# installer ask a local server of their own.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK desktop)
