# The firmware files of the DFU library that the tests read.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/dfu/dfu.cmake)
torvik_dfu_files(${target})
