// TComponent: named, owned components with the framework's ownership and
// notification rules. An owner frees the components it owns when it is
// freed; a freed component leaves its owner's list and tells every
// component that asked for free notification, so that none keeps a
// dangling reference.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

namespace trx {

enum class TOperation : uint8_t { opInsert, opRemove };

// Component state flags (a set held as bits).
enum TComponentStateFlag : uint32_t {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return name_; }
    // Raises EComponentError when another component of the owner has the name.
    virtual void SetName(const std::string& Value);
    TComponent* Owner() const { return owner_; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Raises EListError when Index is out of range.
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // Case-insensitive search among the owned components; nullptr when absent.
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last first.
    void DestroyComponents();

    uint32_t ComponentState() const { return state_; }
    bool HasState(TComponentStateFlag Flag) const { return (state_ & Flag) != 0; }
    void SetDesigning(bool Value);
    // Marks the component as being loaded; Loaded() ends it.
    void BeginLoading();
    virtual void Loaded();

    // Asks to be told (through Notification opRemove) when AComponent is freed,
    // whoever owns it.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    int Tag = 0;

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetState(uint32_t Flags, bool On);
    bool Destroying() const { return HasState(csDestroying); }

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void AddFreeNotify(TComponent* AComponent);
    void DropFreeNotify(TComponent* AComponent);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    uint32_t state_ = 0;
};

class EComponentError : public Exception {
    using Exception::Exception;
};

} // namespace trx
