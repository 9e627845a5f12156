#include <gtest/gtest.h>

#include "framework/core/component.h"

using namespace trx;

namespace {
// Holds a reference to another component and drops it when that one goes.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    void Watch(TComponent* c) {
        target = c;
        if (c) c->FreeNotification(this);
    }
    TComponent* target = nullptr;
    int removals = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == target) {
            target = nullptr;
            ++removals;
        }
    }
};
} // namespace

TEST(Component, OwnerFreesOwnedAndFindsCaseInsensitively) {
    auto* owner = new TComponent(nullptr);
    auto* a = new TComponent(owner);
    a->SetName("edFirst");
    auto* b = new TComponent(owner);
    b->SetName("edSecond");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("EDSECOND"), b);
    EXPECT_EQ(owner->FindComponent("nothing"), nullptr);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_THROW(b->SetName("EDFIRST"), EComponentError);
    EXPECT_THROW(owner->Components(2), EListError);
    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    delete owner; // frees b
}

TEST(Component, FreeNotificationAcrossOwnersClearsReferences) {
    auto* ownerA = new TComponent(nullptr);
    auto* ownerB = new TComponent(nullptr);
    auto* watcher = new TWatcher(ownerA);
    auto* target = new TComponent(ownerB);
    watcher->Watch(target);
    delete ownerB;
    EXPECT_EQ(watcher->target, nullptr);
    EXPECT_EQ(watcher->removals, 1);
    // The watcher going first leaves nothing behind in the target.
    auto* target2 = new TComponent(nullptr);
    watcher->Watch(target2);
    delete ownerA;
    delete target2;
}

TEST(Component, SiblingsHearOfRemovalThroughTheOwner) {
    auto* owner = new TComponent(nullptr);
    auto* watcher = new TWatcher(owner);
    auto* target = new TComponent(owner);
    watcher->target = target; // no free notification asked: the owner tells
    delete target;
    EXPECT_EQ(watcher->target, nullptr);
    delete owner;
}

TEST(Component, LoadingStateEndsWithLoaded) {
    TComponent c;
    c.BeginLoading();
    EXPECT_TRUE(c.HasState(csLoading));
    c.Loaded();
    EXPECT_FALSE(c.HasState(csLoading));
    c.SetDesigning(true);
    EXPECT_TRUE(c.HasState(csDesigning));
}
