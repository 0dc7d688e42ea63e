#include "fuzz/toolkit/fuzz_toolkit_entries.h"
#include "ui/toolkit/image_data.h"
#include "ui/toolkit/skin_archive.h"

int FuzzArchiveInput(const uint8_t* data, size_t size) {
  Vellum::CSkinArchive archive;
  if (!archive.Open(data, size)) return 0;
  for (size_t i = 0; i < archive.EntryCount(); ++i) {
    const Vellum::ArchiveEntry& e = archive.Entry(static_cast<int>(i));
    if (archive.Find(e.name) < 0) __builtin_trap();  // every kept name must be found again
    Vellum::DecodeImage(e.bytes.data(), e.bytes.size(), false, 0);
  }
  archive.Find(L"MainWnd.xml");
  return 0;
}
