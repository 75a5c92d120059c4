// The component model: objects with a class name, components with an owner that releases them,
// a component state, events that name their sender, and properties published by name.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {

// Stops what is running without an error box: the message is kept for whoever catches it.
class EAbort : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TObject {
 public:
  virtual ~TObject() = default;
  // The class name the skinning engine matches against its class-name lists ("TListView", ...).
  virtual std::string ClassName() const { return "TObject"; }
};

// Every event hands its handler the object that raised it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Component state flags. Design time never happens in the running program, so csDesigning is
// never set; the engine still tests it.
enum TComponentStateFlag : unsigned {
  csLoading = 0x01,
  csReading = 0x02,
  csDestroying = 0x04,
  csDesigning = 0x08,
};

enum class TOperation { opInsert, opRemove };

// A property reachable by name. Values are ordinal: integers, colours, booleans, or the address
// of an object (the engine asks for "SkinData" that way).
struct TPropInfo {
  std::function<std::intptr_t()> Get;
  std::function<void(std::intptr_t)> Set;  // empty for read-only properties
};

class TComponent : public TObject {
 public:
  // An owner releases the components it owns when it is released itself.
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_[index]; }
  // Releases every owned component, the last one first.
  void DestroyComponents();

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  unsigned ComponentState() const { return state_; }
  bool Loading() const { return state_ & csLoading; }
  bool Destroying() const { return state_ & csDestroying; }
  // Brackets building a component and what it owns from its design; EndLoading clears the flag
  // on the whole tree and calls Loaded on each component, owner first.
  void BeginLoading();
  void EndLoading();

  // Published properties, looked up by name without regard to letter case.
  const TPropInfo* FindProperty(const std::string& name) const;

 protected:
  virtual void Loaded() {}
  // Told about components being added to or removed from the owner's tree.
  virtual void Notification(TComponent* /*component*/, TOperation /*operation*/) {}
  void Publish(const std::string& name, TPropInfo info);
  void SetDestroying() { state_ |= csDestroying; }

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void NotifyTree(TComponent* component, TOperation operation);

  TComponent* owner_;
  std::vector<TComponent*> components_;
  std::string name_;
  std::intptr_t tag_ = 0;
  unsigned state_ = 0;
  std::vector<std::pair<std::string, TPropInfo>> properties_;
};

// Reads an ordinal property by name; false when the component is null or has no such property.
bool GetOrdProp(const TComponent* component, const std::string& name, std::intptr_t& value);
// Sets an ordinal property by name; false when it is missing or read-only.
bool SetOrdProp(TComponent* component, const std::string& name, std::intptr_t value);

class TControl;

// The process-wide notice that a control is being destroyed. Owners hear only of their direct
// components, and not while they are destroyed themselves; whoever keeps a control's address
// beyond that (a skin manager's hot control) registers here under a key of its own and forgets
// the control when told. Every control's destructor sends the notice.
using TControlDestroyedHandler = std::function<void(TControl* control)>;
void AddControlDestroyedHandler(const void* key, TControlDestroyedHandler handler);
void RemoveControlDestroyedHandler(const void* key);
void NotifyControlDestroyed(TControl* control);

}  // namespace fw
