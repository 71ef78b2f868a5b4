// Component ownership, lookup by name and free notification.
#include "component.h"

#include <algorithm>
#include <cwctype>

TComponent::TComponent(TComponent* owner) : FOwner(owner) {}

TComponent::~TComponent() {
    FComponentState |= csDestroying;
    // Tell everyone who asked, then forget them; they may remove themselves meanwhile.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->RemoveFreeNotification(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back().get();
        last->FComponentState |= csDestroying;
        last->BeforeDestruction();
        // The component may have freed siblings meanwhile; find it again.
        DestroyComponent(last);
    }
}

void TComponent::Adopt(std::unique_ptr<TComponent> component) {
    FComponents.push_back(std::move(component));
}

void TComponent::DestroyComponent(TComponent* component) {
    auto it = std::find_if(FComponents.begin(), FComponents.end(),
                           [component](const auto& c) { return c.get() == component; });
    if (it == FComponents.end()) return;
    std::unique_ptr<TComponent> doomed = std::move(*it);
    FComponents.erase(it);
    Notification(doomed.get(), opRemove);
    if (!(doomed->FComponentState & csDestroying)) {
        doomed->FComponentState |= csDestroying;
        doomed->BeforeDestruction();
    }
    doomed.reset();
}

namespace {

// Names are nearly always plain ASCII, which needs no call into the C library's tables.
wchar_t UpperCase(wchar_t c) {
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    return static_cast<wchar_t>(std::towupper(c));
}

}  // namespace

TComponent* TComponent::FindComponent(std::wstring_view name) const {
    auto sameText = [name](const std::wstring& other) {
        return other.size() == name.size() &&
               std::equal(other.begin(), other.end(), name.begin(),
                          [](wchar_t a, wchar_t b) { return UpperCase(a) == UpperCase(b); });
    };
    for (const auto& c : FComponents)
        if (!c->FName.empty() && sameText(c->FName)) return c.get();
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
        FFreeNotifies.push_back(other);
    if (std::find(other->FFreeNotifies.begin(), other->FFreeNotifies.end(), this) ==
        other->FFreeNotifies.end())
        other->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    std::erase(FFreeNotifies, other);
    if (other) std::erase(other->FFreeNotifies, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponentDeleter::operator()(TComponent* component) const {
    if (!component) return;
    if (TComponent* owner = component->Owner())
        owner->DestroyComponent(component);
    else
        delete component;
}
