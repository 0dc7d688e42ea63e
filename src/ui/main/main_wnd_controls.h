// The controls the main window looks up by name once it is ready; any of them
// may be missing from the skin, so every use checks for null.
#pragma once
#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/edit_ui.h"
#include "ui/toolkit/label_ui.h"
#include "ui/toolkit/option_ui.h"
#include "ui/toolkit/progress_ui.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/main/main_wnd.h"

struct CMainWnd::Controls {
  Vellum::CControlUI* winCtn = nullptr;
  Vellum::CTabLayoutUI* titleTabLt = nullptr;
  Vellum::CTabLayoutUI* mainTabLt = nullptr;
  Vellum::CControlUI* defaultInstallBtn = nullptr;
  Vellum::CControlUI* customeInstallBtn = nullptr;
  Vellum::CControlUI* customeBtn = nullptr;
  Vellum::COptionUI* treatyBtn = nullptr;
  Vellum::CControlUI* backBtn = nullptr;
  Vellum::COptionUI* treatyCb = nullptr;
  Vellum::CControlUI* chDirBtn = nullptr;
  Vellum::CControlUI* installDirEdit = nullptr;
  Vellum::CControlUI* openProduceBtn = nullptr;
  Vellum::CControlUI* ableftBtn = nullptr;
  Vellum::CControlUI* abrightBtn = nullptr;
  Vellum::CControlUI* titleGrpCtn = nullptr;
  Vellum::CControlUI* progressLb = nullptr;
  Vellum::COptionUI* createDSCb = nullptr;
  Vellum::COptionUI* createQSCb = nullptr;
  Vellum::CControlUI* progressAnLb = nullptr;
  Vellum::CControlUI* finishedLbl = nullptr;
  Vellum::CProgressUI* installPrg = nullptr;
  Vellum::CControlUI* tipLbl = nullptr;
  Vellum::CControlUI* softNameLbl = nullptr;
  Vellum::CControlUI* installLogo = nullptr;
};
