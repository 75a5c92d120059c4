#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Classes.h"

using namespace fw;

namespace {

// Addresses as numbers: the component told about may be gone by the time they are compared.
std::uintptr_t Address(const TComponent* c) {
  return reinterpret_cast<std::uintptr_t>(c);
}

struct Notice {
  std::uintptr_t told;
  std::uintptr_t about;
  TOperation operation;
  bool operator==(const Notice&) const = default;
};

// Records what happens to it.
struct Probe : TComponent {
  Probe(TComponent* owner, std::vector<std::string>& log, std::string name,
        std::vector<Notice>* notices = nullptr)
      : TComponent(owner), log_(log), notices_(notices) {
    SetName(name);
    Publish("SkinData", {[this] { return reinterpret_cast<std::intptr_t>(this); }, {}});
    Publish("Width", {[this] { return width; }, [this](std::intptr_t v) { width = v; }});
  }
  // A component released by its owner is marked before its destructors run; one deleted
  // directly marks itself only in the framework's own destructors, after this one.
  ~Probe() override { log_.push_back("~" + Name() + (Destroying() ? "" : "?")); }
  void Loaded() override { log_.push_back("loaded " + Name() + (Loading() ? " (loading)" : "")); }
  void Notification(TComponent* c, TOperation op) override {
    if (notices_) notices_->push_back({Address(this), Address(c), op});
  }
  std::vector<std::string>& log_;
  std::vector<Notice>* notices_;
  std::intptr_t width = 0;
};

TEST(ComponentTest, AnOwnerReleasesWhatItOwnsLastFirst) {
  std::vector<std::string> log;
  {
    Probe owner(nullptr, log, "form");
    new Probe(&owner, log, "a");
    new Probe(&owner, log, "b");
    EXPECT_EQ(owner.ComponentCount(), 2);
    log.clear();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"~form?", "~b", "~a"}));
}

TEST(ComponentTest, AComponentReleasedEarlyLeavesItsOwnerAndTheOthersAreTold) {
  using enum TOperation;
  std::vector<std::string> log;
  std::vector<Notice> notices;
  Probe owner(nullptr, log, "form", &notices);
  auto* a = new Probe(&owner, log, "a", &notices);
  auto* b = new Probe(&owner, log, "b", &notices);
  const std::uintptr_t o = Address(&owner), x = Address(a), y = Address(b);
  EXPECT_EQ(notices, (std::vector<Notice>{{o, x, opInsert}, {o, y, opInsert}, {x, y, opInsert}}));
  notices.clear();
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(log, (std::vector<std::string>{"~a?"}));
  EXPECT_EQ(notices, (std::vector<Notice>{{o, x, opRemove}, {y, x, opRemove}}));
}

TEST(ComponentTest, LoadingCoversWhatIsBuiltMeanwhileAndEndsOwnerFirst) {
  std::vector<std::string> log;
  Probe owner(nullptr, log, "form");
  owner.BeginLoading();
  auto* a = new Probe(&owner, log, "a");
  EXPECT_TRUE(a->Loading());
  EXPECT_FALSE(a->ComponentState() & csDesigning);
  log.clear();
  owner.EndLoading();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded form", "loaded a"}));
  EXPECT_FALSE(a->Loading());
}

TEST(ComponentTest, PublishedPropertiesAreFoundByNameWhateverTheCase) {
  std::vector<std::string> log;
  Probe probe(nullptr, log, "p");
  std::intptr_t value = 0;
  ASSERT_TRUE(GetOrdProp(&probe, "skindata", value));
  EXPECT_EQ(reinterpret_cast<Probe*>(value), &probe);
  EXPECT_FALSE(SetOrdProp(&probe, "SkinData", 1)) << "read-only";
  EXPECT_TRUE(SetOrdProp(&probe, "WIDTH", 120));
  EXPECT_EQ(probe.width, 120);
  EXPECT_FALSE(GetOrdProp(&probe, "Color", value));
  EXPECT_FALSE(GetOrdProp(nullptr, "Width", value));
}

}  // namespace
