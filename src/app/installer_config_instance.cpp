// The process-wide settings record. Constructed during static initialisation,
// so the settings file has been read before the entry function runs.
#include "app/installer_config.h"

namespace {
InstallerConfig g_installerConfig;
}

InstallerConfig& InstallerConfig::Get() { return g_installerConfig; }
