# The demonstration server's folder, made by its generator at build time, so
# that the test reads the index that scripts/run serves.
find_program(TORVIK_PYTHON3 python3 REQUIRED)
set(TORVIK_DEMO_SERVER_ROOT ${CMAKE_BINARY_DIR}/samples/firmware-server)
add_custom_command(
  OUTPUT ${TORVIK_DEMO_SERVER_ROOT}/malvobluetoothmanager/Firmware
  COMMAND ${TORVIK_PYTHON3} ${CMAKE_SOURCE_DIR}/tools/gen_firmware_server.py ${TORVIK_DEMO_SERVER_ROOT}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/gen_firmware_server.py ${CMAKE_SOURCE_DIR}/tools/gen_packages.py
          ${CMAKE_SOURCE_DIR}/tools/gen_dfu_file.py
  COMMENT "Generating the demonstration firmware server")
add_custom_target(demo_firmware_server DEPENDS ${TORVIK_DEMO_SERVER_ROOT}/malvobluetoothmanager/Firmware)
add_dependencies(${target} demo_firmware_server)
target_compile_definitions(${target} PRIVATE TORVIK_DEMO_SERVER_ROOT="${TORVIK_DEMO_SERVER_ROOT}")
