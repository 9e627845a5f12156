#include "framework/core/component.h"

#include <algorithm>

#include "framework/core/strings.h"

namespace trx {

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Everyone who asked to be told forgets us first.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->DropFreeNotify(this);
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

static bool IsValidIdent(const std::string& s) {
    if (s.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(s[0])) return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

void TComponent::SetName(const std::string& Value) {
    if (name_ == Value) return;
    if (!Value.empty() && !IsValidIdent(Value)) throw EComponentError("'" + Value + "' is not a valid component name");
    if (owner_ && !Value.empty()) {
        TComponent* other = owner_->FindComponent(Value);
        if (other && other != this) throw EComponentError("A component named " + Value + " already exists");
    }
    name_ = Value;
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return components_[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ == this) return;
    if (!AComponent->name_.empty() && FindComponent(AComponent->name_))
        throw EComponentError("A component named " + AComponent->name_ + " already exists");
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ != this) return;
    Notification(AComponent, TOperation::opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        Remove(c);
        delete c;
    }
}

void TComponent::Insert(TComponent* AComponent) {
    components_.push_back(AComponent);
    AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
    const auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end()) components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::SetDesigning(bool Value) {
    SetState(csDesigning, Value);
    for (TComponent* c : components_) c->SetDesigning(Value);
}

void TComponent::BeginLoading() { state_ |= csLoading | csReading; }

void TComponent::Loaded() { state_ &= ~static_cast<uint32_t>(csLoading | csReading); }

void TComponent::SetState(uint32_t Flags, bool On) {
    if (On)
        state_ |= Flags;
    else
        state_ &= ~Flags;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    // Both sides keep the link, so that whichever goes first tells the other.
    AddFreeNotify(AComponent);
    AComponent->AddFreeNotify(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    DropFreeNotify(AComponent);
    AComponent->DropFreeNotify(this);
}

void TComponent::AddFreeNotify(TComponent* AComponent) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
        freeNotifies_.push_back(AComponent);
}

void TComponent::DropFreeNotify(TComponent* AComponent) {
    const auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
    if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    // The owner passes removals on to everything it owns.
    if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
    for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(AComponent, Operation);
}

} // namespace trx
