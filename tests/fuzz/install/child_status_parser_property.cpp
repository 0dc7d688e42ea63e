#include "child_status_parser_property.h"

#include <set>
#include <string>
#include <vector>

#include "install/child_status_parser.h"

namespace {

struct Outcome {
  std::vector<int> codes;
  std::vector<double> values;
  std::vector<std::wstring> texts;
  int lastVerdict = 0;
  unsigned codePage = 0;
  bool operator==(const Outcome& o) const {
    // Values compare as printed, so that a NaN progress equals itself.
    if (values.size() != o.values.size()) return false;
    for (size_t i = 0; i < values.size(); ++i)
      if (std::to_string(values[i]) != std::to_string(o.values[i])) return false;
    return codes == o.codes && texts == o.texts && lastVerdict == o.lastVerdict && codePage == o.codePage;
  }
};

// piece(i) gives the size of the i-th piece (at least 1).
template <typename PieceSize>
Outcome Parse(ChildStatusTable table, const char* bytes, size_t size, PieceSize piece) {
  Outcome out;
  ChildStatusParser parser(table, [&out](int code, double value, const std::wstring& text) {
    out.codes.push_back(code);
    out.values.push_back(value);
    out.texts.push_back(text);
  });
  size_t at = 0;
  for (size_t i = 0; at < size; ++i) {
    size_t n = piece(i);
    if (n > size - at) n = size - at;
    if (int v = parser.Feed(bytes + at, n)) out.lastVerdict = v;
    at += n;
  }
  if (int v = parser.Finish()) out.lastVerdict = v;
  out.codePage = parser.CodePage();
  return out;
}

}  // namespace

bool ChildStatusParserHolds(const uint8_t* data, size_t size) {
  if (size < 2) return true;
  ChildStatusTable table = data[0] % 2 ? ChildStatusTable::Uninstaller : ChildStatusTable::Package;
  uint32_t state = data[1] * 2654435761u + 1;
  const char* bytes = reinterpret_cast<const char*>(data + 2);
  size -= 2;

  Outcome whole = Parse(table, bytes, size, [size](size_t) { return size ? size : 1; });
  Outcome single = Parse(table, bytes, size, [](size_t) { return size_t{1}; });
  Outcome random = Parse(table, bytes, size, [&state](size_t) {
    state = state * 1103515245u + 12345u;
    return size_t{1} + (state >> 16) % 1024;
  });
  if (!(whole == single) || !(whole == random)) return false;

  const std::set<int> package = {2002, 2003, 2004, 3000, 3001, 3002, 3003, 3004, 3005, 3007, 3008, 3009};
  const std::set<int> uninstaller = {5002, 5003, 5005};
  const std::set<int>& allowed = table == ChildStatusTable::Package ? package : uninstaller;
  for (size_t i = 0; i < whole.codes.size(); ++i) {
    if (!allowed.count(whole.codes[i])) return false;
    if (whole.texts[i].size() > ChildStatusParser::kMaxValueChars) return false;
  }
  return true;
}
