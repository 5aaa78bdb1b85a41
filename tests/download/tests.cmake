# The download tests run against a local server of their own and trust its
# test certificate through CryptoAPI.
include(${CMAKE_SOURCE_DIR}/tests/fixtures/server/server.cmake)
torvik_test_server(${tests})
target_link_libraries(${target} PRIVATE crypt32)
