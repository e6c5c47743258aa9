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
    FNotificationList.Add(Given);
}

void TBrixBaseClass::UnregisterForNotification(TBrixBaseClass *Given)
{
    FNotificationList.Remove(Given);
}

QList<TBrixBaseClass *> TBrixBaseClass::NotificationClients() const
{
    return FNotificationList.Items();
}

void TBrixBaseClass::LinkFreed(TBrixBaseClass *) {}
void TBrixBaseClass::LinkChanged(TBrixBaseClass *) {}

void TBrixBaseClass::InitInternals()
{
    FNotificationList.Create();
    Reset();
}

void TBrixBaseClass::DoneInternals()
{
    FNotificationList.ForEach([this](TBrixBaseClass *Client) { Client->LinkFreed(this); });
    FNotificationList.Free();
}

void TBrixBaseClass::Reset() {}

void TBrixBaseClass::NotifyChange()
{
    FNotificationList.ForEach([this](TBrixBaseClass *Client) { Client->LinkChanged(this); });
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
    if (FNotificationList.Add(Given))
        FreeNotification(Given);
}

void TBrixBaseComponent::UnregisterForNotification(TComponent *Given)
{
    FNotificationList.Remove(Given);
}

QList<TComponent *> TBrixBaseComponent::NotificationClients() const
{
    return FNotificationList.Items();
}

void TBrixBaseComponent::LinkFreed(TBrixBaseComponent *) {}
void TBrixBaseComponent::LinkChanged(TBrixBaseComponent *) {}

void TBrixBaseComponent::Notification(TComponent *AComponent, TOperation Operation)
{
    // A client freed while registered must never be called again.
    if (Operation == opRemove)
        FNotificationList.Remove(AComponent);
    TComponent::Notification(AComponent, Operation);
}

void TBrixBaseComponent::InitInternals()
{
    FNotificationList.Create();
    Reset();
}

void TBrixBaseComponent::DoneInternals()
{
    // Clients without IBrixComponent stay in the list but are never called.
    FNotificationList.ForEach([this](TComponent *Client) {
        if (auto *Intf = dynamic_cast<IBrixComponent *>(Client))
            Intf->LinkFreed(this);
    });
    FNotificationList.Free();
}

void TBrixBaseComponent::Reset() {}

void TBrixBaseComponent::NotifyChange()
{
    FNotificationList.ForEach([this](TComponent *Client) {
        if (auto *Intf = dynamic_cast<IBrixComponent *>(Client))
            Intf->LinkChanged(this);
    });
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
