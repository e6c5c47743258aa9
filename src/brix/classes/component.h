/// @file
/// The small component model the library rests on: an owner that frees what it
/// owns (last first), component names, loading state, and free notification
/// between components. Forms and data modules are built in code between
/// BeginLoading() and EndLoading(), so Loaded() runs as after reading a form.
#pragma once

#include "brix/export.h"

#include "brix/classes/globals.h"

#include <QList>
#include <QString>

#include <memory>
#include <utility>

namespace Brix {

/// The polymorphic root of every event sender.
class BRIX_CORE_EXPORT TObject
{
public:
    TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    virtual ~TObject() = default;
};

/// Objects that can copy their published state from another of their kind.
class BRIX_CORE_EXPORT TPersistent : public TObject
{
public:
    /// Copies Source into this object. The base accepts nothing: it raises
    /// EConvertError "Cannot assign a <source> to a <this>".
    virtual void Assign(const TPersistent *Source);
};

/// What Notification reports: a component inserted or removed.
enum TOperation
{
    opInsert,
    opRemove
};

/// Flags of ComponentState.
enum TComponentStateFlag
{
    csLoading = 0x1,
    csDestroying = 0x2
};

/// A component: an owner that frees what it owns, a name, the loading state and notification
/// when a related component is inserted or freed.
class BRIX_CORE_EXPORT TComponent : public TPersistent
{
public:
    /// Inserts the new component into AOwner's list (which tells the owner and
    /// its other components opInsert).
    explicit TComponent(TComponent *AOwner);
    ~TComponent() override;

    /// Tears the component down while it is still whole: BeforeDestruction()
    /// (the library's DoneInternals), opRemove to every component that asked
    /// for free notification, the owned components freed last first, removal
    /// from the owner; then deletes it. Safe on nullptr.
    void Free();

    /// The owner (nullptr when none) and the owned components in order of insertion.
    ///@{
    TComponent *Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent *Components(int Index) const { return FComponents.at(Index); }
    ///@}
    /// The component's name; stored as given.
    ///@{
    const QString &Name() const { return FName; }
    void SetName(const QString &Value) { FName = Value; }
    ///@}
    /// The set of TComponentStateFlag flags.
    int ComponentState() const { return FComponentState; }
    /// Whether csLoading or csDestroying is set.
    ///@{
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDestroying() const { return FComponentState & csDestroying; }
    ///@}

    ///@{
    /// Both components are told opRemove when the other one is freed.
    void FreeNotification(TComponent *AComponent);
    void RemoveFreeNotification(TComponent *AComponent);
    ///@}

    /// Called on this component when AComponent is inserted or removed. The
    /// base drops AComponent from the free-notification list on opRemove and
    /// passes the call on to every owned component.
    virtual void Notification(TComponent *AComponent, TOperation Operation);

    /// Called once the component's description has been applied.
    virtual void Loaded();

    ///@{
    /// Start and end of applying a description: sets csLoading on this
    /// component and every owned one; EndLoading clears it and calls Loaded()
    /// on each, owned components first, this component last.
    void BeginLoading();
    void EndLoading();
    ///@}

protected:
    /// Hook run by Free() before anything is torn down.
    virtual void BeforeDestruction() {}

private:
    void Teardown();
    void InsertComponent(TComponent *AComponent);
    void RemoveComponent(TComponent *AComponent);

    TComponent *FOwner = nullptr;
    QList<TComponent *> FComponents;
    QList<TComponent *> FFreeNotifies;
    QString FName;
    int FComponentState = 0;
    bool FTornDown = false;
};

/// Deleter for owned library objects: releases them through Free().
struct BRIX_CORE_EXPORT TFreeDeleter
{
    /// Frees Object; nothing for nullptr.
    template <class T> void operator()(T *Object) const
    {
        if (Object)
            Object->Free();
    }
};
/// A library object owned by a unique pointer that releases it through Free().
template <class T> using TOwned = std::unique_ptr<T, TFreeDeleter>;

/// Constructs a library object, then runs its construction hook
/// (InitInternals) through AfterConstruction(), when virtual dispatch reaches
/// the most derived override.
template <class T, class... Args> T *Create(Args &&...args)
{
    T *Object = new T(std::forward<Args>(args)...);
    Object->AfterConstruction();
    return Object;
}

/// The same, held by a TOwned.
template <class T, class... Args> TOwned<T> CreateOwned(Args &&...args)
{
    return TOwned<T>(Create<T>(std::forward<Args>(args)...));
}

} // namespace Brix
