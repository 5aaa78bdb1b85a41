# The firmware files of the DFU library and the sample packages that the runs flash.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/dfu/dfu.cmake)
torvik_dfu_files(${target})
add_dependencies(${target} sample_packages)
target_compile_definitions(${target} PRIVATE TORVIK_SAMPLE_PACKAGES="${CMAKE_BINARY_DIR}/samples/packages")
