/// @file
/// The library's roots: plain objects (TBrixBaseClass), components
/// (TBrixBaseComponent) and settings sections (TBrixBaseSection), with the
/// provider-to-client notification list through which a provider tells the
/// objects linked to it that it changed or is going away.
///
/// Life: create with Brix::Create<T>(...) (constructs, then InitInternals),
/// release with Free() (DoneInternals, then delete). Constructors and
/// destructors never call virtual functions.
#pragma once

#include "brix/export.h"

#include "brix/classes/component.h"

#include <QList>

#include <memory>

namespace Brix {

class TBrixBaseComponent;

/// A provider's clients: each at most once, in order of registration. The list
/// is absent until Create() and after Free(); while absent, adding, removing
/// and telling do nothing.
template <class T> class TBrixNotificationList
{
public:
    /// Makes the list present (and empty).
    void Create() { FList = std::make_unique<QList<T *>>(); }
    /// Drops the list; it is absent again.
    void Free() { FList.reset(); }
    /// Appends Given unless it is nullptr or already there; true when added.
    bool Add(T *Given)
    {
        if (!FList || !Given || FList->contains(Given))
            return false;
        FList->append(Given);
        return true;
    }
    /// Removes Given if it is there.
    void Remove(T *Given)
    {
        if (FList && Given)
            FList->removeAll(Given);
    }
    /// The clients in order of registration; empty while the list is absent.
    QList<T *> Items() const { return FList ? *FList : QList<T *>(); }
    /// Calls Tell(client) first to last on the clients registered now; one
    /// that has left the list by the time its turn comes is skipped.
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

/// Root of the library's plain (non-component) objects: the Create/Free life
/// and a notification list of clients that are told when the object changes
/// or goes away.
class BRIX_CORE_EXPORT TBrixBaseClass : public TObject
{
public:
    TBrixBaseClass() = default;

    /// Runs InitInternals once; called by Brix::Create.
    void AfterConstruction();
    /// DoneInternals, then delete. Safe to call on nullptr through TFreeDeleter.
    void Free();

    /// Appends Given unless it is already registered; ignores nullptr and
    /// calls before InitInternals or after DoneInternals.
    void RegisterForNotification(TBrixBaseClass *Given);
    /// Removes Given if registered; same guards.
    void UnregisterForNotification(TBrixBaseClass *Given);
    /// Registered clients in order of registration (empty while absent).
    QList<TBrixBaseClass *> NotificationClients() const;

    /// The library's version text (BrixVersionText).
    QString Version() const { return BrixVersionText; }

    // Slot order: LinkFreed, LinkChanged, InitInternals, DoneInternals, Reset.
    /// Called by a provider this object is registered with when the provider
    /// is going away; empty in the base.
    virtual void LinkFreed(TBrixBaseClass *GivenClass);
    /// Called by a provider this object is registered with after it changed;
    /// empty in the base.
    virtual void LinkChanged(TBrixBaseClass *GivenClass);

protected:
    /// Creates the notification list, then calls Reset.
    virtual void InitInternals();
    /// Tells every client LinkFreed(this), first to last, then frees the list.
    virtual void DoneInternals();

public:
    /// Restores the object's defaults; empty in the base.
    virtual void Reset();

protected:
    ~TBrixBaseClass() override = default;
    /// Calls LinkChanged(this) on every client, first to last.
    void NotifyChange();

private:
    TBrixNotificationList<TBrixBaseClass> FNotificationList;
};

/// Implemented by components and by the library's controls.
class BRIX_CORE_EXPORT IBrixComponent
{
public:
    virtual ~IBrixComponent() = default;
    /// Sender, a component this one is registered with, is going away.
    virtual void LinkFreed(TBrixBaseComponent *Sender) = 0;
    /// Sender, a component this one is registered with, changed.
    virtual void LinkChanged(TBrixBaseComponent *Sender) = 0;
    /// The library's version text.
    virtual QString GetVersion() const = 0;
};

/// Implemented by the edit, calculator-key and spin-button controls.
class BRIX_CORE_EXPORT IBrixVisualComponent
{
public:
    virtual ~IBrixVisualComponent() = default;
    /// The right and bottom edges of the control in its parent's
    /// coordinates; setting one moves the control, keeping its size.
    ///@{
    virtual void SetRight(int Value) = 0;
    virtual int GetRight() const = 0;
    virtual void SetBottom(int Value) = 0;
    virtual int GetBottom() const = 0;
    ///@}
};

/// Root of the library's components: the Create life of TBrixBaseClass for
/// an owned component, and a notification list whose clients are told
/// through IBrixComponent.
class BRIX_CORE_EXPORT TBrixBaseComponent : public TComponent, public IBrixComponent
{
public:
    /// Constructs only; Brix::Create also runs InitInternals.
    explicit TBrixBaseComponent(TComponent *AOwner) : TComponent(AOwner) {}

    /// Runs InitInternals once; called by Brix::Create.
    void AfterConstruction();

    /// Appends Given unless already registered (and asks free notification,
    /// so a client freed without unregistering is dropped from the list).
    void RegisterForNotification(TComponent *Given);
    /// Removes Given if registered.
    void UnregisterForNotification(TComponent *Given);
    /// Registered clients in order of registration (empty while absent).
    QList<TComponent *> NotificationClients() const;

    /// The library's version text (BrixVersionText).
    QString Version() const { return BrixVersionText; }

    /// IBrixComponent; empty in the base.
    ///@{
    void LinkFreed(TBrixBaseComponent *GivenComponent) override;
    void LinkChanged(TBrixBaseComponent *GivenComponent) override;
    ///@}
    /// Version().
    QString GetVersion() const override { return Version(); }

    /// Drops a registered client that is being freed, so it is never called
    /// again.
    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    /// Creates the notification list, then calls Reset.
    virtual void InitInternals();
    /// Tells every client that has IBrixComponent LinkFreed(this), first to
    /// last, then frees the list.
    virtual void DoneInternals();

public:
    /// Restores the component's defaults; empty in the base.
    virtual void Reset();

protected:
    /// Runs DoneInternals before the component is destroyed.
    void BeforeDestruction() override;
    /// Calls IBrixComponent::LinkChanged(this) on every client that has the
    /// interface, first to last; others are skipped.
    void NotifyChange();

private:
    TBrixNotificationList<TComponent> FNotificationList;
    bool FDone = false;
};

/// A group of settings published as one nested property of a component.
class BRIX_CORE_EXPORT TBrixBaseSection : public TPersistent
{
public:
    TBrixBaseSection() = default;

    /// GetAllDefaults(): every setting of the section at its default.
    bool AllDefaults() const { return GetAllDefaults(); }
    /// While false, changes raise no OnChange.
    bool Active() const { return FActive; }
    /// The handler called with the section after each change (while Active).
    ///@{
    const TNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    ///@}

    /// Slot order: SetActive, SetAllDefaults, GetAllDefaults, Reset.
    /// Stores a new value and calls OnChange (if assigned), whichever way it
    /// switches.
    virtual void SetActive(bool Value);
    /// True resets the section; False does nothing.
    virtual void SetAllDefaults(bool Value);
    /// True in the base; descendants add "and all my properties are default".
    virtual bool GetAllDefaults() const;
    /// Empty in the base.
    virtual void Reset();

protected:
    /// OnChange(this) when active and assigned.
    void Changed();
    /// The shape of every scalar property write: equal value does nothing;
    /// otherwise store and announce.
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
