// The details of the driver the user clicked: four lines from its registry key and two from its
// INF file, each a fixed prefix followed by the text read.
#pragma once

#include <string>
#include <vector>

#include "app/drivers/DriverList.h"

// Buffer sizes of the private-profile reads: a section's key list, and one value.
inline constexpr size_t kInfKeyListSize = 16384;
inline constexpr size_t kInfValueSize = 2048;

// The key names of an INF file's section (names match case-insensitively; only the section of
// exactly that name is read, not decorated ones such as SourceDisksFiles.amd64).
std::vector<std::string> ReadInfKeyNames(const std::string& infPath, const std::string& section);

// The full path of an INF file name: the Windows folder, "\inf\", the name.
std::string InfFilePath(const std::string& infName);

// Sets "Device:  ", "Provider: ", "Driver Date: " and "Driver Version: " lines from the
// driver's key and returns its InfPath value (the INF file name, empty when missing).
std::string LoadDriverInfo(const std::string& keyPath, TCaptionTarget& label1,
                           TCaptionTarget& label2, TCaptionTarget& label3, TCaptionTarget& label4);

// Sets the "Digital Signature: " line (the catalogue the INF names, or "No Signature") and the
// "Driver File: N File(s)" line (the INF's SourceDisksFiles keys plus the INF itself).
void LoadInfInfo(const std::string& infName, TCaptionTarget& label5, TCaptionTarget& label6);
