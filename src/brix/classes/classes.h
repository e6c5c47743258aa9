// The library's roots: plain objects (TBrixBaseClass), components
// (TBrixBaseComponent) and settings sections (TBrixBaseSection), with the
// provider-to-client notification list through which a provider tells the
// objects linked to it that it changed or is going away.
//
// Life: create with Brix::Create<T>(...) (constructs, then InitInternals),
// release with Free() (DoneInternals, then delete). Constructors and
// destructors never call virtual functions.
#pragma once

#include "brix/export.h"

#include "brix/classes/component.h"

#include <QList>

#include <memory>

namespace Brix {

class TBrixBaseComponent;

// A provider's clients: each at most once, in order of registration. The list
// is absent until Create() and after Free(); while absent, adding, removing
// and telling do nothing.
template <class T> class TBrixNotificationList
{
public:
    void Create() { FList = std::make_unique<QList<T *>>(); }
    void Free() { FList.reset(); }
    // Appends Given unless it is nullptr or already there; true when added.
    bool Add(T *Given)
    {
        if (!FList || !Given || FList->contains(Given))
            return false;
        FList->append(Given);
        return true;
    }
    void Remove(T *Given)
    {
        if (FList && Given)
            FList->removeAll(Given);
    }
    QList<T *> Items() const { return FList ? *FList : QList<T *>(); }
    // Calls Tell(client) first to last on the clients registered now; one
    // that has left the list by the time its turn comes is skipped.
    template <class F> void ForEach(F Tell) const
    {
        const QList<T *> Clients = Items();
        for (T *Client : Clients)
            if (FList && FList->contains(Client))
                Tell(Client);
    }

private:
    std::unique_ptr<QList<T *>> FList;
};

class BRIX_CORE_EXPORT TBrixBaseClass : public TObject
{
public:
    TBrixBaseClass() = default;

    // Runs InitInternals once; called by Brix::Create.
    void AfterConstruction();
    // DoneInternals, then delete. Safe to call on nullptr through TFreeDeleter.
    void Free();

    // Appends Given unless it is already registered; ignores nullptr and
    // calls before InitInternals or after DoneInternals.
    void RegisterForNotification(TBrixBaseClass *Given);
    // Removes Given if registered; same guards.
    void UnregisterForNotification(TBrixBaseClass *Given);
    // Registered clients in order of registration (empty while absent).
    QList<TBrixBaseClass *> NotificationClients() const;

    QString Version() const { return BrixVersionText; }

    // Slot order: LinkFreed, LinkChanged, InitInternals, DoneInternals, Reset.
    virtual void LinkFreed(TBrixBaseClass *GivenClass);
    virtual void LinkChanged(TBrixBaseClass *GivenClass);

protected:
    // Creates the notification list, then calls Reset.
    virtual void InitInternals();
    // Tells every client LinkFreed(this), first to last, then frees the list.
    virtual void DoneInternals();

public:
    // Restores the object's defaults; empty in the base.
    virtual void Reset();

protected:
    ~TBrixBaseClass() override = default;
    // Calls LinkChanged(this) on every client, first to last.
    void NotifyChange();

private:
    TBrixNotificationList<TBrixBaseClass> FNotificationList;
};

// Implemented by components and by the library's controls.
class BRIX_CORE_EXPORT IBrixComponent
{
public:
    virtual ~IBrixComponent() = default;
    virtual void LinkFreed(TBrixBaseComponent *Sender) = 0;
    virtual void LinkChanged(TBrixBaseComponent *Sender) = 0;
    virtual QString GetVersion() const = 0;
};

// Implemented by the edit, calculator-key and spin-button controls.
class BRIX_CORE_EXPORT IBrixVisualComponent
{
public:
    virtual ~IBrixVisualComponent() = default;
    virtual void SetRight(int Value) = 0;
    virtual int GetRight() const = 0;
    virtual void SetBottom(int Value) = 0;
    virtual int GetBottom() const = 0;
};

class BRIX_CORE_EXPORT TBrixBaseComponent : public TComponent, public IBrixComponent
{
public:
    explicit TBrixBaseComponent(TComponent *AOwner) : TComponent(AOwner) {}

    // Runs InitInternals once; called by Brix::Create.
    void AfterConstruction();

    // Appends Given unless already registered (and asks free notification,
    // so a client freed without unregistering is dropped from the list).
    void RegisterForNotification(TComponent *Given);
    void UnregisterForNotification(TComponent *Given);
    QList<TComponent *> NotificationClients() const;

    QString Version() const { return BrixVersionText; }

    // IBrixComponent, mapped onto the virtual hooks below.
    void LinkFreed(TBrixBaseComponent *GivenComponent) override;
    void LinkChanged(TBrixBaseComponent *GivenComponent) override;
    QString GetVersion() const override { return Version(); }

    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    virtual void InitInternals();
    virtual void DoneInternals();

public:
    virtual void Reset();

protected:
    void BeforeDestruction() override;
    // Calls IBrixComponent::LinkChanged(this) on every client that has the
    // interface, first to last; others are skipped.
    void NotifyChange();

private:
    TBrixNotificationList<TComponent> FNotificationList;
    bool FDone = false;
};

// A group of settings published as one nested property of a component.
class BRIX_CORE_EXPORT TBrixBaseSection : public TPersistent
{
public:
    TBrixBaseSection() = default;

    bool AllDefaults() const { return GetAllDefaults(); }
    bool Active() const { return FActive; }
    const TNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // Slot order: SetActive, SetAllDefaults, GetAllDefaults, Reset.
    // Stores a new value and calls OnChange (if assigned), whichever way it
    // switches.
    virtual void SetActive(bool Value);
    // True resets the section; False does nothing.
    virtual void SetAllDefaults(bool Value);
    // True in the base; descendants add "and all my properties are default".
    virtual bool GetAllDefaults() const;
    // Empty in the base.
    virtual void Reset();

protected:
    // OnChange(this) when active and assigned.
    void Changed();
    // The shape of every scalar property write: equal value does nothing;
    // otherwise store and announce.
    template <class T, class U> void SetProperty(T &Field, const U &Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }

private:
    bool FActive = true;
    TNotifyEvent FOnChange;
};

} // namespace Brix
