// Texts of event records arrive in UTF-8 or in the system ANSI code page. A text
// that passes the string-property acceptance rule is taken as UTF-8; any other is
// read as ANSI and converted, so an accented letter written as one ANSI byte
// arrives as its UTF-8 form.
#pragma once
#include <string>

namespace zorvik {
namespace analytics {

// The text as UTF-8 (empty stays empty; a failed conversion gives empty).
std::string ToEventText(const std::string& text);

// ANSI code page -> UTF-16 -> UTF-8. On Windows the system's ANSI code page; the
// native build, whose system code page is UTF-8 already, reads the bytes as
// Latin-1 instead so that the fallback can be exercised there too.
std::string AnsiToUtf8(const std::string& text);

}  // namespace analytics
}  // namespace zorvik

namespace zv_analytics {
class PropertiesNode;
}

namespace zorvik {
namespace analytics {

// Sets the converted text under key (through SetString and its checks).
void SetEventText(zv_analytics::PropertiesNode* properties, const std::string& key, const std::string& text);
// The same, but only when the text is not empty.
void SetOptionalText(zv_analytics::PropertiesNode* properties, const std::string& key, const std::string& text);

}  // namespace analytics
}  // namespace zorvik
