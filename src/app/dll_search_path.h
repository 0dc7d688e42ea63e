// Keeps the installer from loading DLLs planted beside it (it usually runs from a
// downloads folder): the search path is cut down to the system folder and the
// DLLs that the system would otherwise look for there are loaded by full path.
#pragma once

// Every failure inside is silent; the modules it loads stay for the process's life.
void HardenDllSearchPath();
