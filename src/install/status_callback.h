// The one path from the pipeline's worker threads to the main window: every
// producer (downloaders, runners, the orchestrator) reports through a copy of it.
#pragma once
#include <functional>
#include <string>

// Called on the producer's worker thread, so the receiver must be thread-safe.
// The text is valid only during the call; a receiver that keeps it copies it.
using StatusCallback = std::function<void(int code, double value, const std::wstring& text)>;
