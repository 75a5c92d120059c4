#include "skin/forms/sFrameMetrics.h"

#include <windows.h>

#include <map>

#include "platform/Dpi.h"

namespace {

template <typename Metric>
TsSystemMetrics ReadMetrics(Metric metric) {
  TsSystemMetrics m;
  m.CxFrame = metric(SM_CXFRAME);
  m.CxDlgFrame = metric(SM_CXDLGFRAME);
  m.CyCaption = metric(SM_CYCAPTION);
  m.CySmCaption = metric(SM_CYSMCAPTION);
  m.CyMenu = metric(SM_CYMENU);
  m.CyHScroll = metric(SM_CYHSCROLL);
  m.CxVScroll = metric(SM_CXVSCROLL);
  return m;
}

}  // namespace

const TsSystemMetrics& FrameMetrics() {
  static const TsSystemMetrics metrics =
      ReadMetrics([](int index) { return GetSystemMetrics(index); });
  return metrics;
}

const TsSystemMetrics& FrameMetricsAt(int dpi) {
  if (dpi <= 0 || dpi == platform::WindowDpi(nullptr)) return FrameMetrics();
  static std::map<int, TsSystemMetrics> scales;
  auto found = scales.find(dpi);
  if (found == scales.end())
    found = scales
                .emplace(dpi, ReadMetrics([dpi](int index) {
                           return platform::SystemMetricForDpi(index, dpi);
                         }))
                .first;
  return found->second;
}
