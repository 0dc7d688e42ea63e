#include "analytics/tracker/event_text.h"
#include "utils/text.h"

namespace zorvik {
namespace analytics {

std::string AnsiToUtf8(const std::string& text) {
  return Utils::ToNarrow(Utils::ToWide(text, Utils::kCodePageAnsi), Utils::kCodePageUtf8);
}

}  // namespace analytics
}  // namespace zorvik
