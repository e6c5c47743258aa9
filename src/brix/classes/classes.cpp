#include "brix/classes/classes.h"

namespace Brix {

// ---- TBrixBaseClass ----

void TBrixBaseClass::AfterConstruction()
{
    InitInternals();
}

void TBrixBaseClass::Free()
{
    DoneInternals();
    delete this;
}

void TBrixBaseClass::RegisterForNotification(TBrixBaseClass *Given)
{
    if (!FNotificationList || !Given)
        return;
    if (!FNotificationList->contains(Given))
        FNotificationList->append(Given);
}

void TBrixBaseClass::UnregisterForNotification(TBrixBaseClass *Given)
{
    if (!FNotificationList || !Given)
        return;
    FNotificationList->removeAll(Given);
}

QList<TBrixBaseClass *> TBrixBaseClass::NotificationClients() const
{
    return FNotificationList ? *FNotificationList : QList<TBrixBaseClass *>();
}

void TBrixBaseClass::LinkFreed(TBrixBaseClass *) {}
void TBrixBaseClass::LinkChanged(TBrixBaseClass *) {}

void TBrixBaseClass::InitInternals()
{
    FNotificationList = std::make_unique<QList<TBrixBaseClass *>>();
    Reset();
}

void TBrixBaseClass::DoneInternals()
{
    if (!FNotificationList)
        return;
    // A copy: a client may unregister itself while it is told.
    const QList<TBrixBaseClass *> Clients = *FNotificationList;
    for (TBrixBaseClass *Client : Clients)
        Client->LinkFreed(this);
    FNotificationList.reset();
}

void TBrixBaseClass::Reset() {}

void TBrixBaseClass::NotifyChange()
{
    if (!FNotificationList)
        return;
    const QList<TBrixBaseClass *> Clients = *FNotificationList;
    for (TBrixBaseClass *Client : Clients)
        Client->LinkChanged(this);
}

// ---- TBrixBaseComponent ----

void TBrixBaseComponent::AfterConstruction()
{
    InitInternals();
}

void TBrixBaseComponent::BeforeDestruction()
{
    if (FDone)
        return;
    FDone = true;
    DoneInternals();
}

void TBrixBaseComponent::RegisterForNotification(TComponent *Given)
{
    if (!FNotificationList || !Given)
        return;
    if (!FNotificationList->contains(Given)) {
        FNotificationList->append(Given);
        FreeNotification(Given);
    }
}

void TBrixBaseComponent::UnregisterForNotification(TComponent *Given)
{
    if (!FNotificationList || !Given)
        return;
    FNotificationList->removeAll(Given);
}

QList<TComponent *> TBrixBaseComponent::NotificationClients() const
{
    return FNotificationList ? *FNotificationList : QList<TComponent *>();
}

void TBrixBaseComponent::LinkFreed(TBrixBaseComponent *) {}
void TBrixBaseComponent::LinkChanged(TBrixBaseComponent *) {}

void TBrixBaseComponent::Notification(TComponent *AComponent, TOperation Operation)
{
    // A client freed while registered must never be called again.
    if (Operation == opRemove && FNotificationList)
        FNotificationList->removeAll(AComponent);
    TComponent::Notification(AComponent, Operation);
}

void TBrixBaseComponent::InitInternals()
{
    FNotificationList = std::make_unique<QList<TComponent *>>();
    Reset();
}

void TBrixBaseComponent::DoneInternals()
{
    if (!FNotificationList)
        return;
    const QList<TComponent *> Clients = *FNotificationList;
    for (TComponent *Client : Clients) {
        // A client freed by an earlier call has left the list.
        if (!FNotificationList->contains(Client))
            continue;
        if (auto *Intf = dynamic_cast<IBrixComponent *>(Client))
            Intf->LinkFreed(this);
    }
    FNotificationList.reset();
}

void TBrixBaseComponent::Reset() {}

void TBrixBaseComponent::NotifyChange()
{
    if (!FNotificationList)
        return;
    const QList<TComponent *> Clients = *FNotificationList;
    for (TComponent *Client : Clients) {
        if (!FNotificationList->contains(Client))
            continue;
        if (auto *Intf = dynamic_cast<IBrixComponent *>(Client))
            Intf->LinkChanged(this);
    }
}

// ---- TBrixBaseSection ----

void TBrixBaseSection::SetActive(bool Value)
{
    if (FActive == Value)
        return;
    FActive = Value;
    if (FOnChange)
        FOnChange(this);
}

void TBrixBaseSection::SetAllDefaults(bool Value)
{
    if (Value)
        Reset();
}

bool TBrixBaseSection::GetAllDefaults() const
{
    return true;
}

void TBrixBaseSection::Reset() {}

void TBrixBaseSection::Changed()
{
    if (FActive && FOnChange)
        FOnChange(this);
}

} // namespace Brix
