// The roots' notification lists, the two-phase life, sections and the small
// component model (ownership, free notification, loading).
#include "brix/classes/classes.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace Brix;

namespace {

QStringList Log;

class Client : public TBrixBaseClass
{
public:
    explicit Client(QString N) : Name(std::move(N)) {}
    void LinkFreed(TBrixBaseClass *) override { Log << Name + ":freed"; }
    void LinkChanged(TBrixBaseClass *) override { Log << Name + ":changed"; }
    QString Name;
};

class Provider : public TBrixBaseClass
{
public:
    using TBrixBaseClass::NotifyChange;
    void InitInternals() override
    {
        Log << "init";
        TBrixBaseClass::InitInternals();
    }
    void DoneInternals() override
    {
        Log << "done";
        TBrixBaseClass::DoneInternals();
    }
    void Reset() override { Log << "reset"; }
};

class ComponentClient : public TBrixBaseComponent
{
public:
    using TBrixBaseComponent::TBrixBaseComponent;
    void LinkFreed(TBrixBaseComponent *) override { Log << Name() + ":freed"; }
    void LinkChanged(TBrixBaseComponent *) override { Log << Name() + ":changed"; }
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        if (Operation == opRemove)
            Log << Name() + ":remove " + AComponent->Name();
        TBrixBaseComponent::Notification(AComponent, Operation);
    }
    void Loaded() override
    {
        Log << Name() + ":loaded";
        TBrixBaseComponent::Loaded();
    }
};

class ProviderComponent : public TBrixBaseComponent
{
public:
    using TBrixBaseComponent::NotifyChange;
    using TBrixBaseComponent::TBrixBaseComponent;
};

class Section : public TBrixBaseSection
{
public:
    Section() { Defaults(); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetProperty(FWidth, Value); }
    bool GetAllDefaults() const override
    {
        return FWidth == 10 && TBrixBaseSection::GetAllDefaults();
    }
    void Reset() override
    {
        TBrixBaseSection::Reset();
        Defaults();
        Changed();
    }

private:
    void Defaults() { FWidth = 10; }
    int FWidth = 0;
};

class ClassesTest : public ::testing::Test
{
protected:
    void SetUp() override { Log.clear(); }
};

} // namespace

TEST_F(ClassesTest, LifeRunsInitResetAndDoneInOrder)
{
    Provider *P = Create<Provider>();
    P->Free();
    EXPECT_EQ(Log, QStringList({"init", "reset", "done"}));
}

TEST_F(ClassesTest, ClientsAreToldInRegistrationOrderAndOnlyOnce)
{
    TOwned<Provider> P(Create<Provider>());
    Client A("a"), B("b"), C("c");
    P->RegisterForNotification(&B);
    P->RegisterForNotification(&A);
    P->RegisterForNotification(&B); // already there: kept once, in its first place
    P->RegisterForNotification(nullptr);
    P->RegisterForNotification(&C);
    P->UnregisterForNotification(&C);
    P->UnregisterForNotification(&C); // not registered: ignored
    Log.clear();
    P->NotifyChange();
    P.reset();
    EXPECT_EQ(Log, QStringList({"b:changed", "a:changed", "done", "b:freed", "a:freed"}));
}

TEST_F(ClassesTest, RegisteringTwiceThenUnregisteringOnceLeavesNothing)
{
    TOwned<Provider> P(Create<Provider>());
    Client A("a");
    P->RegisterForNotification(&A);
    P->RegisterForNotification(&A);
    P->UnregisterForNotification(&A);
    EXPECT_TRUE(P->NotificationClients().isEmpty());
}

TEST_F(ClassesTest, ComponentProviderSkipsEntriesWithoutTheInterface)
{
    TComponent Root(nullptr);
    auto *P = Create<ProviderComponent>(&Root);
    auto *A = Create<ComponentClient>(&Root);
    A->SetName("a");
    TComponent Plain(nullptr); // no IBrixComponent
    Plain.SetName("plain");
    P->RegisterForNotification(&Plain);
    P->RegisterForNotification(A);
    Log.clear();
    P->NotifyChange();
    EXPECT_EQ(Log, QStringList({"a:changed"}));
    EXPECT_EQ(P->NotificationClients().size(), 2);
    P->Free();
    EXPECT_TRUE(Log.contains("a:freed"));
}

TEST_F(ClassesTest, ClientFreedWhileRegisteredIsDroppedFromTheList)
{
    auto *P = Create<ProviderComponent>(nullptr);
    auto *A = Create<ComponentClient>(nullptr);
    P->RegisterForNotification(A);
    A->Free();
    EXPECT_TRUE(P->NotificationClients().isEmpty());
    P->NotifyChange(); // must not touch the freed client
    P->Free();
}

TEST_F(ClassesTest, OwnerFreesOwnedLastFirstAndFreeNotificationReachesPartners)
{
    auto *Owner = Create<ComponentClient>(nullptr);
    Owner->SetName("owner");
    auto *First = Create<ComponentClient>(Owner);
    First->SetName("first");
    auto *Second = Create<ComponentClient>(Owner);
    Second->SetName("second");
    auto *Watcher = Create<ComponentClient>(nullptr);
    Watcher->SetName("watcher");
    Watcher->FreeNotification(First);
    EXPECT_EQ(Owner->ComponentCount(), 2);
    Log.clear();
    Owner->Free();
    // The second is freed first; the watcher hears of the first.
    EXPECT_EQ(Log.indexOf("owner:remove second") < Log.indexOf("owner:remove first"), true);
    EXPECT_TRUE(Log.contains("watcher:remove first"));
    Watcher->Free();
}

TEST_F(ClassesTest, LoadingFrameCallsLoadedOnOwnedThenOwner)
{
    auto *Owner = Create<ComponentClient>(nullptr);
    Owner->SetName("owner");
    auto *Child = Create<ComponentClient>(Owner);
    Child->SetName("child");
    Owner->BeginLoading();
    EXPECT_TRUE(Child->IsLoading());
    Owner->EndLoading();
    EXPECT_FALSE(Child->IsLoading());
    EXPECT_FALSE(Owner->IsLoading());
    EXPECT_EQ(Log, QStringList({"child:loaded", "owner:loaded"}));
    Owner->Free();
}

TEST_F(ClassesTest, SectionChangesFireOnlyWhileActive)
{
    Section S;
    int Changes = 0;
    S.SetOnChange([&](TObject *) { ++Changes; });
    S.SetWidth(10); // same value: nothing
    EXPECT_EQ(Changes, 0);
    S.SetWidth(12);
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(S.AllDefaults());
    S.SetAllDefaults(false); // does nothing
    EXPECT_EQ(S.Width(), 12);
    S.SetAllDefaults(true); // resets, one change
    EXPECT_EQ(S.Width(), 10);
    EXPECT_EQ(Changes, 2);
    S.SetActive(false); // switching fires itself
    EXPECT_EQ(Changes, 3);
    S.SetWidth(20); // stored, silent
    EXPECT_EQ(S.Width(), 20);
    EXPECT_EQ(Changes, 3);
    S.SetActive(true);
    EXPECT_EQ(Changes, 4);
}

TEST_F(ClassesTest, VersionTextIsTheLibraryRelease)
{
    TOwned<Provider> P(Create<Provider>());
    EXPECT_EQ(P->Version(), "1.0.0 (Beta 14)");
}
