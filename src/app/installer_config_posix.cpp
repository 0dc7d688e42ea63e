// The native build has no module path or process command line to read: the
// record keeps its built-in values until a test hands it a path or arguments.
#include "app/installer_config.h"

void InstallerConfig::LoadFromFile() {}
void InstallerConfig::ApplyCommandLine() {}
