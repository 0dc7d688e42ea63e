// The status callback through which every downloader tells its owner what happens,
// and the codes it carries (1001-1006). The pipeline owns both; the orchestrator
// forwards each call to the main window. Calls arrive on the downloaders' threads.
#pragma once
#include "install/status_callback.h"
#include "install/status_codes.h"
