#pragma once
// The root of everything a form is made of: a name, a Tag, an owner, and the components it
// owns in creation order. Owners free what they own, last created first.
#include <concepts>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Component;
class Control;
class Font;
struct ControlArgs;

// The text properties a language file can set, in the order a translation looks for them.
enum class TextProperty { Caption, Text, Filter };

using NotifyEvent = std::function<void(Component& sender)>;

class Component {
public:
    explicit Component(Component* owner = nullptr, std::string name = {}, int tag = 0);
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component();

    Component* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    Component& Components(int index) const { return *components_.at(static_cast<std::size_t>(index)); }
    // The owned component of that name (ASCII case ignored), or null.
    Component* FindComponent(std::string_view name) const;

    // Creates a control owned by this component: the control's common layout and its own.
    template <std::derived_from<Control> T>
    T* Add(const ControlArgs& common)
    {
        return Ready(Own(std::make_unique<T>(this, common)));
    }
    template <std::derived_from<Control> T>
    T* Add(const ControlArgs& common, const typename T::Args& own)
    {
        return Ready(Own(std::make_unique<T>(this, common, own)));
    }
    // Creates a non-visual component owned by this one.
    template <typename T>
        requires(std::derived_from<T, Component> && !std::derived_from<T, Control>)
    T* Add(const typename T::Args& args)
    {
        return Ready(Own(std::make_unique<T>(this, args)));
    }
    // Takes over a component made elsewhere; it is freed with this one.
    template <std::derived_from<Component> T>
    T* Own(std::unique_ptr<T> component)
    {
        T* raw = component.get();
        Adopt(std::unique_ptr<Component>(component.release()));
        return raw;
    }

    // What the language files may change: the string properties a component has, and its font.
    virtual bool HasTextProperty(TextProperty) const { return false; }
    virtual void SetTextProperty(TextProperty, const std::string&) {}
    virtual Font* FontProperty() { return nullptr; }

    // The step after construction, when the object is whole: windows make their window here
    // once their parent has one. Add calls it; whoever constructs a component otherwise must.
    virtual void Loaded() {}

    // True from the start of its freeing on.
    bool Destroying() const { return destroying_; }

    // Frees a component made with new: its last step before the destructors run (a form's
    // OnDestroy, for one), then delete. Owned components are freed by their owner this way.
    static void Free(Component* component);

protected:
    // Runs once before the destructors, while the object is still whole.
    virtual void BeforeDestruction() {}

private:
    template <typename T>
    static T* Ready(T* component)
    {
        component->Loaded();
        return component;
    }
    void Adopt(std::unique_ptr<Component> component);
    void Forget(Component* component);

    Component* owner_;
    std::string name_;
    int tag_;
    bool destroying_ = false;
    std::vector<std::unique_ptr<Component>> components_;
};

// Frees through Component::Free, for forms held by a smart pointer.
struct ComponentDeleter {
    void operator()(Component* component) const { Component::Free(component); }
};
template <typename T>
using Owned = std::unique_ptr<T, ComponentDeleter>;

} // namespace ui
