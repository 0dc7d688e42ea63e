// The arithmetic of the installing page: the download fills the bar up to the
// DownloadScale share, the package run fills the rest with a smoothed fraction,
// and the label shows the percent in one of three wordings.
// Pure functions; any thread.
#pragma once
#include <string>

namespace MainWindow {

// The label text is formatted into a buffer of this many characters (terminator included).
constexpr size_t kPercentTextCapacity = 250;
// After this many seconds of downloading the label asks for patience.
constexpr float kPatienceSeconds = 60.0f;
// A failed install resets the bar and label only when the bar had reached this value.
constexpr int kResetBarFrom = 70;

// value x scale x 100, truncated, kept within 0..100.
int DownloadPercent(double value, double downloadScale);

// The package's progress lines move the fraction at least 0.15 each, never past 0.95
// on their own, and never below the value the package reports.
double NextInstallFraction(double fraction, double value);

// ((1 - scale) x fraction + scale) x 100, truncated, kept within 0..100.
int InstallPercent(double fraction, double downloadScale);

// The skin's format (user data of "progressLb") when not empty, else the patient
// wording after more than 60 seconds of downloading, else the brief one.
std::wstring PercentFormat(const std::wstring& skinFormat, float downloadSeconds);

// Formats the percent into at most kPercentTextCapacity - 1 characters. The format
// comes from the skin, so only "%d" (its first occurrence) and "%%" are conversions;
// anything else after a "%" is kept as written, which keeps a stray "%s" harmless.
std::wstring FormatPercent(const std::wstring& format, int percent);

// The label after an install failure that resets the bar.
std::wstring ResetProgressText();

// Converts a status value the way the status handlers need it: truncated toward
// zero and clamped to the target's range (NaN gives 0).
int TruncateToInt(double value);
long TruncateToLong(double value);
unsigned TruncateToUnsigned(double value);

}  // namespace MainWindow
