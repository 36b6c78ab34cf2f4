#include "ui/Component.h"

#include <algorithm>

#include "ui/StringList.h"

namespace ui {

Component::Component(Component* owner, std::string name, int tag) : owner_(owner), name_(std::move(name)), tag_(tag) {}

Component::~Component()
{
    destroying_ = true;
    while (!components_.empty()) {
        Component* last = components_.back().release();
        components_.pop_back();
        last->owner_ = nullptr;
        Free(last);
    }
    if (owner_)
        owner_->Forget(this);
}

void Component::Free(Component* component)
{
    if (!component)
        return;
    if (!component->destroying_) {
        component->destroying_ = true;
        component->BeforeDestruction();
    }
    if (component->owner_) {
        // Taken out of the owner's list first, so the owner does not free it again.
        Component* owner = component->owner_;
        component->owner_ = nullptr;
        auto& list = owner->components_;
        const auto found = std::find_if(list.begin(), list.end(), [&](const auto& item) { return item.get() == component; });
        if (found != list.end()) {
            found->release();
            list.erase(found);
        }
    }
    delete component;
}

Component* Component::FindComponent(std::string_view name) const
{
    for (const auto& component : components_)
        if (SameText(component->Name(), name))
            return component.get();
    return nullptr;
}

void Component::Adopt(std::unique_ptr<Component> component)
{
    component->owner_ = this;
    components_.push_back(std::move(component));
}

void Component::Forget(Component* component)
{
    const auto found = std::find_if(components_.begin(), components_.end(),
                                    [&](const auto& item) { return item.get() == component; });
    if (found != components_.end()) {
        found->release();
        components_.erase(found);
    }
}

} // namespace ui
