// CDownloader: the one operation the orchestrator needs of every package downloader.
// Implementations run the transfer on a worker thread of their own and report every
// step through their status callback (download_status.h).
#pragma once

class CDownloader {
 public:
  virtual ~CDownloader() = default;
  // Begins the download (or, after a retry request, begins it again) on a worker
  // thread and returns at once. Called from the owner's thread or from inside a
  // status report.
  virtual void Start() = 0;
};
