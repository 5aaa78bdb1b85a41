# The demonstration server's folder, made by its generator at build time, so
# that the test reads the index that scripts/run serves.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/demo.cmake)
torvik_demo_server(${target})
