// Components: named objects that own the components created with them as owner, destroy
// them in reverse order of creation, and can be found by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csDestroying = 1u << 1,
    csDesigning = 1u << 2,
};

// The root of the toolkit's classes; event handlers receive their sender as one.
class TObject {
  public:
    virtual ~TObject() = default;
};

class TComponent : public TObject {
  public:
    explicit TComponent(TComponent* owner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    virtual ~TComponent();

    const std::wstring& Name() const { return FName; }
    void SetName(std::wstring name) { FName = std::move(name); }
    TComponent* Owner() const { return FOwner; }
    unsigned ComponentState() const { return FComponentState; }

    // Creates a component owned by this one.
    template <typename T, typename... Args>
    T* Create(Args&&... args) {
        auto owned = std::make_unique<T>(this, std::forward<Args>(args)...);
        T* raw = owned.get();
        Adopt(std::move(owned));
        return raw;
    }

    // The owned component with this name (case-insensitive), or null.
    TComponent* FindComponent(std::wstring_view name) const;
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents[index].get(); }

    // Asks to be told (Notification with opRemove) when the other component goes away.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Frees and removes one owned component before the owner goes.
    void DestroyComponent(TComponent* component);
    // Runs while the object is still whole, just before it is destroyed by its owner.
    virtual void BeforeDestruction() {}

  protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // Frees every owned component, last created first.
    void DestroyComponents();

  private:
    void Adopt(std::unique_ptr<TComponent> component);

    std::wstring FName;
    TComponent* FOwner;
    unsigned FComponentState = 0;
    std::vector<std::unique_ptr<TComponent>> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Destroys a component the way its owner would, at once: the owner lets go of it first.
struct TComponentDeleter {
    void operator()(TComponent* component) const;
};

// A component that lives for one operation: owned by its owner as every component is, and
// destroyed when this pointer goes, however the operation ends.
template <typename T>
using TOwned = std::unique_ptr<T, TComponentDeleter>;

template <typename T, typename... Args>
TOwned<T> CreateOwned(TComponent& owner, Args&&... args) {
    return TOwned<T>(owner.Create<T>(std::forward<Args>(args)...));
}
