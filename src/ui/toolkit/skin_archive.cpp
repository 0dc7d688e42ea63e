#include "ui/toolkit/skin_archive.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "7z.h"
#include "7zCrc.h"

#include "ui/toolkit/markup_values.h"

namespace Vellum {
namespace {

// A seekable stream over a memory buffer, in the reader's C interface.
struct MemoryStream {
  ISeekInStream vt;  // first member: the reader hands back a pointer to it
  const uint8_t* data;
  size_t size;
  size_t pos;
};

SRes MemoryRead(ISeekInStreamPtr p, void* buf, size_t* size) {
  auto* s = reinterpret_cast<MemoryStream*>(const_cast<ISeekInStream*>(p));
  size_t left = s->size - s->pos;
  if (*size > left) *size = left;
  if (*size) std::memcpy(buf, s->data + s->pos, *size);
  s->pos += *size;
  return SZ_OK;
}

SRes MemorySeek(ISeekInStreamPtr p, Int64* pos, ESzSeek origin) {
  auto* s = reinterpret_cast<MemoryStream*>(const_cast<ISeekInStream*>(p));
  Int64 base = 0;
  if (origin == SZ_SEEK_CUR) base = static_cast<Int64>(s->pos);
  if (origin == SZ_SEEK_END) base = static_cast<Int64>(s->size);
  Int64 target = base + *pos;
  if (target < 0 || static_cast<UInt64>(target) > s->size) return SZ_ERROR_READ;
  s->pos = static_cast<size_t>(target);
  *pos = target;
  return SZ_OK;
}

// Refuses single allocations beyond the total cap (a solid block is unpacked
// into one buffer), so a forged header cannot make the reader ask for gigabytes.
void* CappedAlloc(ISzAllocPtr, size_t size) {
  if (size == 0 || size > CSkinArchive::kMaxTotalSize) return nullptr;
  return std::malloc(size);
}
void CappedFree(ISzAllocPtr, void* address) { std::free(address); }
const ISzAlloc kAlloc = {CappedAlloc, CappedFree};

constexpr size_t kLookBufferSize = 1 << 14;

// Owns the reader state of one Open call.
struct ReaderSession {
  MemoryStream memory{};
  CLookToRead2 look{};
  CSzArEx db{};
  std::vector<Byte> lookBuffer = std::vector<Byte>(kLookBufferSize);
  UInt32 blockIndex = 0xFFFFFFFF;
  Byte* outBuffer = nullptr;
  size_t outBufferSize = 0;

  ReaderSession(const uint8_t* data, size_t size) {
    memory.vt.Read = MemoryRead;
    memory.vt.Seek = MemorySeek;
    memory.data = data;
    memory.size = size;
    memory.pos = 0;
    LookToRead2_CreateVTable(&look, False);
    look.buf = lookBuffer.data();
    look.bufSize = lookBuffer.size();
    look.realStream = &memory.vt;
    LookToRead2_INIT(&look);
    SzArEx_Init(&db);
  }
  ~ReaderSession() {
    ISzAlloc_Free(&kAlloc, outBuffer);
    SzArEx_Free(&db, &kAlloc);
  }
  ReaderSession(const ReaderSession&) = delete;
  ReaderSession& operator=(const ReaderSession&) = delete;
};

void EnsureCrcTable() {
  static std::once_flag once;
  std::call_once(once, [] { CrcGenerateTable(); });
}

// UTF-16 as stored to the platform's wide string (UTF-32 on POSIX).
std::wstring FromUtf16(const std::vector<UInt16>& units) {
  std::wstring out;
  for (size_t i = 0; i < units.size() && units[i] != 0; ++i) {
    uint32_t c = units[i];
    if (sizeof(wchar_t) == 4 && c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() &&
        units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

bool ReadName(const CSzArEx& db, UInt32 index, std::wstring* name, size_t* length) {
  size_t units = SzArEx_GetFileNameUtf16(&db, index, nullptr);
  if (units == 0 || units > CSkinArchive::kMaxNameLength) return false;
  std::vector<UInt16> buffer(units);
  SzArEx_GetFileNameUtf16(&db, index, buffer.data());
  *name = FromUtf16(buffer);
  *length = name->size() + 1;
  return true;
}

}  // namespace

bool CSkinArchive::Open(const uint8_t* data, size_t size) {
  Close();
  if (!data || size == 0) return false;
  EnsureCrcTable();
  ReaderSession s(data, size);
  if (SzArEx_Open(&s.db, &s.look.vt, &kAlloc, &kAlloc) != SZ_OK) return false;
  open_ = true;
  size_t total = 0;
  for (UInt32 i = 0; i < s.db.NumFiles; ++i) {
    if (SzArEx_IsDir(&s.db, i)) continue;
    ArchiveEntry entry;
    entry.index = i;
    UInt64 declared = SzArEx_GetFileSize(&s.db, i);
    if (declared > kMaxEntrySize || total + declared > kMaxTotalSize) break;
    if (!ReadName(s.db, i, &entry.name, &entry.nameLength)) break;
    size_t offset = 0, processed = 0;
    SRes res = SzArEx_Extract(&s.db, &s.look.vt, i, &s.blockIndex, &s.outBuffer, &s.outBufferSize, &offset,
                              &processed, &kAlloc, &kAlloc);
    if (res != SZ_OK || offset > s.outBufferSize || processed > s.outBufferSize - offset) break;
    if (processed) entry.bytes.assign(s.outBuffer + offset, s.outBuffer + offset + processed);
    entry.size = processed;
    total += processed;
    entries_.push_back(std::move(entry));
  }
  return true;
}

void CSkinArchive::Close() {
  open_ = false;
  entries_.clear();
}

int CSkinArchive::Find(const std::wstring& name) const {
  std::wstring wanted(name);
  for (auto& c : wanted) {
    if (c == L'\\') c = L'/';
  }
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].nameLength == wanted.size() + 1 && EqualsIgnoreCase(entries_[i].name, wanted)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

const std::vector<uint8_t>* CSkinArchive::Read(const std::wstring& name) const {
  int position = Find(name);
  return position < 0 ? nullptr : &entries_[static_cast<size_t>(position)].bytes;
}

}  // namespace Vellum
