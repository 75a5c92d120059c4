// INF reading cases that the private-profile reading must answer alike, whether it is the
// system's own or the program's rebuilt one.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ProfileCase {
  const char* name;
  const char* text;  // the INF file's content
  const char* section;
  const char* key;                    // null: list the section's key names
  std::vector<std::string> expected;  // the value read (with default "<def>"), or the key names
};

inline const std::vector<ProfileCase>& ProfileCases() {
  static const std::vector<ProfileCase> cases = {
      {"value", "[Version]\r\nCatalogFile=acme.cat\r\n", "Version", "CatalogFile", {"acme.cat"}},
      {"names ignore case",
       "[version]\r\ncatalogfile=acme.cat\r\n",
       "Version",
       "CatalogFile",
       {"acme.cat"}},
      {"trimmed",
       "[Version]\r\n  CatalogFile  =   acme.cat  \r\n",
       "Version",
       "CatalogFile",
       {"acme.cat"}},
      {"quotes removed", "[Strings]\r\nName=\"Acme Card\"\r\n", "Strings", "Name", {"Acme Card"}},
      {"missing key", "[Version]\r\nSignature=x\r\n", "Version", "CatalogFile", {"<def>"}},
      {"empty value", "[Version]\r\nCatalogFile=\r\n", "Version", "CatalogFile", {""}},
      {"first key wins",
       "[Version]\r\nCatalogFile=a.cat\r\nCatalogFile=b.cat\r\n",
       "Version",
       "CatalogFile",
       {"a.cat"}},
      {"first section wins",
       "[Version]\r\nA=1\r\n[Version]\r\nCatalogFile=late.cat\r\n",
       "Version",
       "CatalogFile",
       {"<def>"}},
      {"commented key",
       "[Version]\r\n;CatalogFile=old.cat\r\n",
       "Version",
       "CatalogFile",
       {"<def>"}},
      {"LF lines", "[Version]\nCatalogFile=lf.cat\n", "Version", "CatalogFile", {"lf.cat"}},
      {"key list",
       "[SourceDisksFiles]\r\nacme.sys = 1\r\nACMEUI.DLL=1,,\r\nacme.hlp=2\r\n",
       "SourceDisksFiles",
       nullptr,
       {"acme.sys", "ACMEUI.DLL", "acme.hlp"}},
      {"key list skips comments and blanks",
       "[SourceDisksFiles]\r\n; the driver\r\n\r\n  acme.sys  =1\r\n",
       "SourceDisksFiles",
       nullptr,
       {"acme.sys"}},
      {"decorated section not read",
       "[SourceDisksFiles.amd64]\r\nacme.sys=1\r\n",
       "SourceDisksFiles",
       nullptr,
       {}},
      {"section of other case",
       "[sourcedisksfiles]\r\na.sys=1\r\n[SourceDisksFiles.x86]\r\nb.sys=1\r\n",
       "SourceDisksFiles",
       nullptr,
       {"a.sys"}},
      {"key list of first section",
       "[Files]\r\na=1\r\n[Other]\r\nc=1\r\n[Files]\r\nb=1\r\n",
       "Files",
       nullptr,
       {"a"}},
      {"comment after header",
       "[Version] ; header comment\r\nCatalogFile=c.cat\r\n",
       "Version",
       "CatalogFile",
       {"c.cat"}},
      {"no such file section", "", "Version", nullptr, {}},
  };
  return cases;
}

}  // namespace testing_support
