#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

class LayoutValue;
class LayoutContext;

// Root of every object that can be a sender or a drag source.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// A named object owned by another; the owner destroys what it owns, last created first.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    // The owned component of that name, searched depth-first; nullptr when there is none.
    TComponent* FindComponent(const std::string& name) const;

    // Sets one property from a layout file; false when the class has no property of that name.
    virtual bool SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context);
    // A layout nests child inside this component (a control in its parent, an item in its menu).
    virtual void AdoptLayoutChild(TComponent& child);
    // Called once the whole layout that created the component has been read.
    virtual void Loaded() {}

protected:
    // Destroys what this component owns, last created first.
    void DestroyComponents();

private:
    std::string FName;
    TComponent* FOwner;
    std::vector<TComponent*> FComponents;
};
