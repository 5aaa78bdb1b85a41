# Sample packages made by the generator at build time, never committed.
find_program(TORVIK_PYTHON3 python3 REQUIRED)
set(TORVIK_SAMPLE_PACKAGES ${CMAKE_BINARY_DIR}/samples/packages)
add_custom_command(
  OUTPUT ${TORVIK_SAMPLE_PACKAGES}/hid_valid.img
  COMMAND ${TORVIK_PYTHON3} ${CMAKE_SOURCE_DIR}/tools/gen_packages.py ${TORVIK_SAMPLE_PACKAGES}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/gen_packages.py ${CMAKE_SOURCE_DIR}/tools/gen_dfu_file.py
  COMMENT "Generating sample firmware packages")
add_custom_target(sample_packages DEPENDS ${TORVIK_SAMPLE_PACKAGES}/hid_valid.img)
add_dependencies(${target} sample_packages)
target_compile_definitions(${target} PRIVATE TORVIK_SAMPLE_PACKAGES="${TORVIK_SAMPLE_PACKAGES}")
