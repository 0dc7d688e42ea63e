// A small XML reader for the skin's markup files. It reads the subset those
// files use: an optional byte-order mark and XML declaration, comments,
// elements with single- or double-quoted attributes, empty-element tags, and
// the five named and the numeric character references. Text between elements
// is skipped; DOCTYPE, CDATA and processing instructions after the declaration
// are refused.
//
// Thread: any; no shared state. Input is UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace Vellum {

struct MarkupAttribute {
  std::wstring name;
  std::wstring value;
};

struct MarkupElement {
  std::wstring name;
  std::vector<MarkupAttribute> attributes;  // document order, duplicates kept
  std::vector<MarkupElement> children;      // document order
};

class CMarkupParser {
 public:
  static constexpr size_t kMaxDocumentSize = 4u << 20;
  static constexpr int kMaxDepth = 64;

  // Reads one document with a single root element into root. Returns false with
  // a short reason in error (when given) for anything outside the subset,
  // unbalanced tags, bad references, nesting deeper than kMaxDepth or a document
  // larger than kMaxDocumentSize.
  static bool Parse(const char* utf8, size_t size, MarkupElement* root, std::wstring* error);
};

}  // namespace Vellum
