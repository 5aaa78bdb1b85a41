// Keeps the configuration file of the main windows a test process opens in a
// temporary folder of that process, so tests never read each other's choices.
#pragma once

// Points the configuration file at <temp>\torvik_test_<pid>\IMG\...; the
// folder is removed when the process exits.
void IsolateConfigurationFile();
