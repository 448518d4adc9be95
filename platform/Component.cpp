#include "platform/Component.h"

#include <algorithm>

#include "platform/Exceptions.h"
#include "platform/Layout.h"

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner)
{
    if (FOwner)
        FOwner->FComponents.push_back(this);
}

TComponent::~TComponent()
{
    DestroyComponents();
    if (FOwner) {
        auto& siblings = FOwner->FComponents;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty())
        delete FComponents.back();  // each one removes itself from the list
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (TComponent* c : FComponents) {
        if (c->Name() == name)
            return c;
        if (TComponent* inner = c->FindComponent(name))
            return inner;
    }
    return nullptr;
}

bool TComponent::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext&)
{
    if (name == "Name") {
        FName = value.Text();
        return true;
    }
    return false;
}

void TComponent::AdoptLayoutChild(TComponent& child)
{
    throw Exception("Layout: " + Name() + " cannot hold " + child.Name());
}
