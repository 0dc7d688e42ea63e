// The transfer client reports a failed size probe as an installer funnel step. The
// funnel glue of the analytics layer owns the real reporting call; until it installs
// itself here, reports go nowhere. Tests install an observer the same way.
#pragma once
#include <functional>
#include <map>
#include <string>

namespace DownloadFunnel {

// The A/B map handed to every funnel report; only the key "AB" is used.
using AbMap = std::map<std::wstring, std::wstring>;

// Same shape as the funnel glue's ReportFunnelStep(A/B map, step, reason, elapsed).
using StepReporter = std::function<void(const AbMap& ab, const std::wstring& step,
                                        const std::wstring& reason, float elapsedSeconds)>;

// Replaces the reporter (an empty one restores the no-op). Thread-safe.
void SetStepReporter(StepReporter reporter);

// Passes the step to the installed reporter, if any. Thread-safe; the reporter runs
// on the calling thread, outside the hook's lock.
void ReportFunnelStep(const AbMap& ab, const std::wstring& step, const std::wstring& reason,
                      float elapsedSeconds);

}  // namespace DownloadFunnel
