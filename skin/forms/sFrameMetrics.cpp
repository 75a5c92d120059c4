#include "skin/forms/sFrameMetrics.h"

#include <windows.h>

const TsSystemMetrics& FrameMetrics() {
  static const TsSystemMetrics metrics = [] {
    TsSystemMetrics m;
    m.CxFrame = GetSystemMetrics(SM_CXFRAME);
    m.CxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    m.CyCaption = GetSystemMetrics(SM_CYCAPTION);
    m.CySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
    m.CyMenu = GetSystemMetrics(SM_CYMENU);
    m.CyHScroll = GetSystemMetrics(SM_CYHSCROLL);
    m.CxVScroll = GetSystemMetrics(SM_CXVSCROLL);
    return m;
  }();
  return metrics;
}
