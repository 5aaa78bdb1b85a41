// Keeps the configuration file of the main windows a test process opens in a
// temporary folder of that process, so tests never read each other's choices.
#pragma once

// Points the configuration file at a folder of its own under <temp> (IMG\...
// inside it); the folder is removed when the process exits.
void IsolateConfigurationFile();
