#include "brix/classes/component.h"

#include "brix/classes/exceptions.h"

#include <typeinfo>

namespace Brix {

void TPersistent::Assign(const TPersistent *Source)
{
    const QString From =
        Source ? QString::fromLatin1(typeid(*Source).name()) : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(From, QString::fromLatin1(typeid(*this).name())));
}

TComponent::TComponent(TComponent *AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Components deleted without Free() (for example widgets deleted by their
    // Qt parent) still tell their partners and free what they own.
    Teardown();
}

void TComponent::Free()
{
    BeforeDestruction();
    Teardown();
    delete this;
}

void TComponent::Teardown()
{
    if (FTornDown)
        return;
    FTornDown = true;
    FComponentState |= csDestroying;
    // Free notification: every partner is told, and forgets this component.
    while (!FFreeNotifies.isEmpty()) {
        TComponent *Partner = FFreeNotifies.takeLast();
        Partner->FFreeNotifies.removeAll(this);
        Partner->Notification(this, opRemove);
    }
    // Owned components, last first.
    while (!FComponents.isEmpty()) {
        TComponent *Child = FComponents.last();
        Child->Free(); // removes itself from FComponents
        if (!FComponents.isEmpty() && FComponents.last() == Child)
            FComponents.removeLast();
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent *AComponent)
{
    AComponent->FOwner = this;
    FComponents.append(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent)
{
    FComponents.removeAll(AComponent);
    AComponent->FOwner = nullptr;
    Notification(AComponent, opRemove);
}

void TComponent::FreeNotification(TComponent *AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (!FFreeNotifies.contains(AComponent))
        FFreeNotifies.append(AComponent);
    if (!AComponent->FFreeNotifies.contains(this))
        AComponent->FFreeNotifies.append(this);
}

void TComponent::RemoveFreeNotification(TComponent *AComponent)
{
    if (!AComponent)
        return;
    FFreeNotifies.removeAll(AComponent);
    AComponent->FFreeNotifies.removeAll(this);
}

void TComponent::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // A copy: a component may remove itself while being told.
    const QList<TComponent *> Owned = FComponents;
    for (TComponent *Child : Owned)
        if (Child != AComponent)
            Child->Notification(AComponent, Operation);
}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::BeginLoading()
{
    FComponentState |= csLoading;
    for (TComponent *Child : std::as_const(FComponents))
        Child->BeginLoading();
}

void TComponent::EndLoading()
{
    const QList<TComponent *> Owned = FComponents;
    for (TComponent *Child : Owned)
        Child->EndLoading();
    Loaded();
    FComponentState &= ~csLoading;
}

} // namespace Brix
