# Whole-program updates of a simulated BlueCore headset from files of the DFU
# library, with windows on the shared desktop.
include(${CMAKE_SOURCE_DIR}/tests/update_e2e/update_program.cmake)
torvik_update_program(${target} ${tests})
