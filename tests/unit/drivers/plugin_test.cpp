// The plug-in contract over libraries that the test provides: discovery, names, calls, and the
// library unloaded after every call.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "app/plugins/untPlugin.h"
#include "platform/FileSystemMemory.h"
#include "support/FakeHost.h"

namespace {

struct FakeLibrary {
  std::map<std::string, void*> exports;
};

// Libraries by path; counts loads and unloads.
class FakeLoader : public platform::Library {
 public:
  std::map<std::string, FakeLibrary> libraries;
  int loads = 0, unloads = 0;

  void* Load(const std::string& path) override {
    auto found = libraries.find(path);
    if (found == libraries.end()) return nullptr;
    ++loads;
    return &found->second;
  }
  void* Find(void* library, const std::string& name) override {
    auto& exports = static_cast<FakeLibrary*>(library)->exports;
    auto found = exports.find(name);
    return found == exports.end() ? nullptr : found->second;
  }
  void Unload(void*) override { ++unloads; }
};

void DK_STDCALL NameHello(unsigned char* buffer) {
  buffer[0] = 5;
  std::memcpy(buffer + 1, "Hello", 5);
}
void DK_STDCALL NameFull(unsigned char* buffer) {
  buffer[0] = 255;
  std::memset(buffer + 1, 'x', 255);
}
void DK_STDCALL NameZeroLength(unsigned char* buffer) {
  std::memcpy(buffer, "\0stale", 6);
}
void DK_STDCALL NameNothing(unsigned char*) {}

void* aboutOwner = nullptr;
int formShows = 0;
void DK_STDCALL About(void* owner) {
  aboutOwner = owner;
}
void DK_STDCALL FormShow() {
  ++formShows;
  throw std::runtime_error("plug-in failed");
}

template <class Fn>
void* Export(Fn fn) {
  return reinterpret_cast<void*>(fn);
}

struct PluginTest : ::testing::Test {
  testing_support::FakeHost host;
  platform::MemoryFileSystem files;
  FakeLoader loader;
  platform::ScopedInstall<platform::FileSystem> useFiles{files};
  platform::ScopedInstall<platform::Library> useLoader{loader};
  const std::string dir = "C:\\Program Files\\Driver Keeper\\plugin\\";
};

TEST_F(PluginTest, ListsEveryDllEntryOfThePluginFolder) {
  EXPECT_TRUE(GetPluginList().empty()) << "no plugin folder";
  files.AddFile(dir + "b.dll", "");
  files.AddFile(dir + "readme.txt", "");
  files.AddFolder(dir + "x.dll");
  files.AddFile(dir + "A.DLL", "");
  EXPECT_EQ(GetPluginList(),
            (std::vector<std::string>{dir + "b.dll", dir + "x.dll", dir + "A.DLL"}));
}

TEST_F(PluginTest, NamesComeFromTheLengthPrefixedBuffer) {
  loader.libraries["hello"].exports["PluginName"] = Export(NameHello);
  loader.libraries["full"].exports["PluginName"] = Export(NameFull);
  loader.libraries["zero"].exports["PluginName"] = Export(NameZeroLength);
  loader.libraries["nothing"].exports["PluginName"] = Export(NameNothing);
  loader.libraries["noexports"];
  EXPECT_EQ(GetPluginName("hello"), "Hello");
  EXPECT_EQ(GetPluginName("full"), std::string(255, 'x'));
  EXPECT_EQ(GetPluginName("zero"), "");
  EXPECT_EQ(GetPluginName("nothing"), "") << "the buffer is zeroed before the call";
  EXPECT_EQ(GetPluginName("noexports"), "");
  EXPECT_EQ(GetPluginName("unloadable"), "") << "not the previous plug-in's name";
  EXPECT_EQ(loader.loads, 5);
  EXPECT_EQ(loader.unloads, 5);
}

TEST_F(PluginTest, AboutGetsTheOwnerAndFormShowUnloadsEvenWhenItRaises) {
  loader.libraries["p"].exports = {{"PluginAbout", Export(About)},
                                   {"PluginFormShow", Export(FormShow)}};
  int owner = 0;
  SetPluginOwnerWindow(&owner);
  ShowPluginAbout("p");
  EXPECT_EQ(aboutOwner, &owner);
  EXPECT_THROW(ShowPluginForm("p"), std::runtime_error) << "reaches the framework's error box";
  EXPECT_EQ(formShows, 1);
  EXPECT_EQ(loader.unloads, 2);
  loader.libraries["q"];
  ShowPluginAbout("q");
  ShowPluginForm("q");
  ShowPluginForm("missing");
  EXPECT_EQ(loader.loads, 4);
  EXPECT_EQ(loader.unloads, 4);
  SetPluginOwnerWindow(nullptr);
}

}  // namespace
