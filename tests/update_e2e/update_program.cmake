# torvik_update_program(<target> <test>...): what the whole-program updates of
# UpdateProgramFixture.h need: the firmware files of the DFU library and the
# sample packages, made before <target> is built, and the shared desktop, on
# which the CTest tests <test> look for the program's windows.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/dfu/dfu.cmake)

function(torvik_update_program target)
  torvik_dfu_files(${target})
  add_dependencies(${target} sample_packages)
  target_compile_definitions(${target} PRIVATE TORVIK_SAMPLE_PACKAGES="${CMAKE_BINARY_DIR}/samples/packages")
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK desktop)
endfunction()
