# Whole-program runs of firmware updates of simulated chips: from files of the
# DFU library and sample packages, with windows on the shared desktop.
include(${CMAKE_SOURCE_DIR}/tests/update_e2e/update_program.cmake)
torvik_update_program(${target} ${tests})
