// The process-wide toolkit state: the module instance whose resources and
// folder the toolkit uses, the archive reader flag, and the skin archive read
// from the module's resources (its bytes are copied into a buffer that lives for
// the rest of the process).
//
// Thread: the main thread only.
#pragma once
#include <windows.h>

#include <string>

namespace Vellum {

class CSkinArchive;

class CSkinResource {
 public:
  static void SetInstance(HINSTANCE instance);
  static HINSTANCE GetInstance();
  // The executable's folder with a trailing backslash.
  static std::wstring GetInstancePath();
  // 1 selects the 7z reader (the only one this toolkit has).
  static void SetArchiveReader(int kind);
  static int GetArchiveReader();
  // Opens resource id of type "ZIPRES" as the current archive unless an
  // archive held in memory is already open. false when the resource is
  // missing, cannot be loaded, is empty or is not a readable archive.
  static bool OpenFromResource(UINT id);
  // The current archive, or nullptr while none is open.
  static const CSkinArchive* Current();
};

}  // namespace Vellum
