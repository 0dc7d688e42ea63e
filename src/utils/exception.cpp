#include "utils/exception.h"

#include "utils/text.h"

namespace Utils {

Exception::Exception(const std::wstring& text) : message_(ToNarrow(text, kCodePageAnsi)) {}

}  // namespace Utils
