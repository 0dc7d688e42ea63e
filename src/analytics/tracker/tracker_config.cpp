#include "analytics/tracker/tracker_config.h"

#ifndef QZ_DEFAULT_ANALYTICS_URL
#define QZ_DEFAULT_ANALYTICS_URL "http://sa.quibzip.com/sa?project=pc"
#endif

namespace zorvik {
namespace analytics {

std::string DefaultServerUrl() { return QZ_DEFAULT_ANALYTICS_URL; }

}  // namespace analytics
}  // namespace zorvik
