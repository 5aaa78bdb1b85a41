# Whole-program runs of firmware updates: simulated chips, the firmware files
# of the DFU library and the sample packages, a local server of their own, the
# demonstration server's files, and windows on the shared desktop.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/dfu/dfu.cmake)
torvik_dfu_files(${target})
add_dependencies(${target} sample_packages)
target_compile_definitions(${target} PRIVATE TORVIK_SAMPLE_PACKAGES="${CMAKE_BINARY_DIR}/samples/packages")
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${name})
set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/demo.cmake)
torvik_demo_server(${target})
