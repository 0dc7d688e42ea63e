#include "analytics/tracker/zv_exception.h"

#include <utility>

namespace zorvik {
namespace analytics {

ZvException::ZvException(std::string message, std::string file, std::string function, int line)
    : message_(std::move(message)), file_(std::move(file)), function_(std::move(function)), line_(line) {}

}  // namespace analytics
}  // namespace zorvik
