// The installer's funnel: starting and stopping the tracker with the installer's
// identity, and the four reporting calls its steps, buttons, progress page and
// crash filter use. Every call reads the analytics switch (IsEnableAnalytics)
// afresh and does nothing while it is off or while no tracker exists. Texts are
// wide; the A/B map's "AB" value, when it is a valid label, goes along as the
// "zvc_ab" context property. No call throws.
//
// Threads: StartAnalytics and StopAnalytics on the main thread; the reporting
// calls on any thread (the window, a download thread, a crashing thread).
#pragma once
#include <map>
#include <string>

namespace zorvik {
namespace analytics {

using AbMap = std::map<std::wstring, std::wstring>;

// Creates the tracker and installs ReportFunnelStep as the download stack's
// funnel reporter.
void StartAnalytics();
// Removes the reporter and releases the tracker, which delivers the queued funnel.
// With the switch off it leaves the tracker alone, so nothing queued is sent.
void StopAnalytics();

// A task event "name = step", result "Success", the reason when not empty.
void ReportFunnelStep(const AbMap& ab, const std::wstring& step, const std::wstring& reason, float elapsedSeconds);
// A click event of type "Button".
void ReportFunnelClick(const AbMap& ab, const std::wstring& buttonText);
// The view "安装中".
void ReportFunnelView(const AbMap& ab);
// The crash event "崩溃", which also delivers everything queued at once.
void ReportCrash();

}  // namespace analytics
}  // namespace zorvik
