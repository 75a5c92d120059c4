// Other systems install no Windows drivers.
#include "platform/DriverSetup.h"

namespace platform {
namespace {

class NoDriverSetup final : public DriverSetup {
 public:
  std::string InstallRefusal() override { return "Drivers can only be installed on Windows."; }
  void AllowPrompts(bool) override {}
  std::string DriverStoreFolder(const std::string&) override { return {}; }
  TInfInstall InstallInf(const std::string&) override {
    return {TInfInstall::Failed, {}, InstallRefusal()};
  }
  std::vector<std::string> PresentDeviceIds() override { return {}; }
  TDeviceUpdate UpdateDevices(const std::string&, const std::string&) override {
    return {TDeviceUpdate::Failed, false, InstallRefusal()};
  }
};

}  // namespace

DriverSetup& DriverSetup::Default() {
  static NoDriverSetup setup;
  return setup;
}

}  // namespace platform
