// The skin package reader: a 7z archive (LZMA2) opened from memory. Opening
// extracts every file entry once, in archive order, so later lookups are plain
// in-memory searches and the source buffer may go away afterwards.
//
// Thread: not thread-safe; the toolkit uses it from the main thread only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Vellum {

struct ArchiveEntry {
  std::wstring name;         // as stored, forward slashes
  size_t nameLength = 0;     // characters including the terminator
  uint32_t index = 0;        // position in the archive database
  size_t size = 0;           // bytes
  std::vector<uint8_t> bytes;
};

class CSkinArchive {
 public:
  // Caps on what one archive may unpack; a header claiming more is refused.
  static constexpr size_t kMaxEntrySize = 32u << 20;
  static constexpr size_t kMaxTotalSize = 96u << 20;
  static constexpr size_t kMaxNameLength = 1024;

  // Reads the database from (data, size) and extracts every file entry. Returns
  // false, keeping nothing, when the bytes are not a readable 7z archive. When one
  // entry fails to extract, the entries before it are kept, the rest skipped, and
  // the result is still true. Directories are not kept. Replaces earlier content.
  bool Open(const uint8_t* data, size_t size);
  void Close();
  bool IsOpen() const { return open_; }

  // The position (for Entry) of the first entry whose stored name equals name
  // ignoring ASCII case, after turning every backslash of name into a slash;
  // -1 when none. Only whole names match.
  int Find(const std::wstring& name) const;
  const ArchiveEntry& Entry(int position) const { return entries_[static_cast<size_t>(position)]; }
  size_t EntryCount() const { return entries_.size(); }
  // The bytes of the named entry, or nullptr when not found.
  const std::vector<uint8_t>* Read(const std::wstring& name) const;

 private:
  bool open_ = false;
  std::vector<ArchiveEntry> entries_;
};

}  // namespace Vellum
