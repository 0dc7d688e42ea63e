// The status codes of the whole pipeline, as the producers send them through the
// StatusCallback: 1001-1006 download, 2001-2004 package run, 3000-3009 values the
// package prints, 5001-5005 uninstall.
#pragma once

enum StatusCode : int {
  DL_CODE_START = 1001,
  DL_CODE_PROGRESS = 1002,
  DL_CODE_SUCCESS = 1003,
  DL_CODE_FAIL = 1004,
  DL_CODE_RETRY = 1005,
  DL_CODE_REASON = 1006,

  IST_CODE_START = 2001,
  IST_CODE_PROGRESS = 2002,
  INSTALL_SUCCESS = 2003,
  IST_CODE_FAIL = 2004,

  IST_INFO_INSTPATH = 3000,
  IST_INFO_EXEPATH = 3001,
  IST_INFO_UNINSTEXE = 3002,
  IST_INFO_UNINSTEP = 3003,
  IST_INFO_STARTURL = 3004,
  IST_INFO_STARTUPSTYLE = 3005,
  IST_INFO_TOPSHOW = 3007,
  IST_INFO_FINISHCLOSE = 3008,
  IST_INFO_MESSAGE = 3009,

  UNIST_CODE_START = 5001,  // sent by nobody; kept so the table is whole
  UNIST_CODE_PROGRESS = 5002,
  UNIST_CODE_SUCCESS = 5003,
  UNIST_CODE_FAIL = 5004,
  UNIST_CODE_ERROR = 5005,
};
