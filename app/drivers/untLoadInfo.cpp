#include "app/drivers/untLoadInfo.h"

#include "app/drivers/untReg.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"

std::vector<std::string> ReadInfKeyNames(const std::string& infPath, const std::string& section) {
  return platform::Profile::Current().ReadKeyNames(infPath, section, kInfKeyListSize);
}

std::string InfFilePath(const std::string& infName) {
  return platform::FileSystem::Current().WindowsDirectory() + "\\inf\\" + infName;
}

std::string LoadDriverInfo(const std::string& keyPath, TCaptionTarget& label1,
                           TCaptionTarget& label2, TCaptionTarget& label3, TCaptionTarget& label4) {
  auto read = [&](const char* name) { return RegReadString(kLocalMachine, keyPath, name, ""); };
  label1.SetCaption("Device:  " + read("DriverDesc"));
  label2.SetCaption("Provider: " + read("ProviderName"));
  label4.SetCaption("Driver Version: " + read("DriverVersion"));
  label3.SetCaption("Driver Date: " + read("DriverDate"));
  return read("InfPath");
}

void LoadInfInfo(const std::string& infName, TCaptionTarget& label5, TCaptionTarget& label6) {
  std::string inf = InfFilePath(infName);
  label5.SetCaption("Digital Signature: " +
                    platform::Profile::Current().ReadString(inf, "Version", "CatalogFile",
                                                            "No Signature", kInfValueSize));
  size_t files = ReadInfKeyNames(inf, "SourceDisksFiles").size() + 1;
  label6.SetCaption("Driver File: " + std::to_string(files) + " File(s)");
}
