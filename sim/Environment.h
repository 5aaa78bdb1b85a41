// The choice of the device seams that the program makes at start-up.
#pragma once

// Installs the simulated devices when the environment variable TORVIK_SIM
// names a readable scenario file, else the real ones. Returns true when the
// simulation is in use.
bool InstallDeviceSeamsFromEnvironment();
