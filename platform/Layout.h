#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Component.h"

// One property value of a layout file: 12, -11, 'text', True, bvLowered, Image2, ('a' 'b'), [akLeft, akTop].
class LayoutValue {
public:
    enum Kind { Number, String, Identifier, StringList, Set };

    LayoutValue(Kind kind, std::string text, long long number = 0, std::vector<std::string> items = {})
        : FKind(kind), FText(std::move(text)), FNumber(number), FItems(std::move(items)) {}

    Kind GetKind() const { return FKind; }
    int Int() const;
    bool Bool() const;
    // The text of a String or the name of an Identifier.
    const std::string& Text() const;
    const std::vector<std::string>& Items() const;

private:
    Kind FKind;
    std::string FText;
    long long FNumber;
    std::vector<std::string> FItems;
};

// What a component needs from the reader while it sets its properties.
class LayoutContext {
public:
    virtual ~LayoutContext() = default;
    // Calls apply with the component of that name, now if it exists, else when the layout is complete.
    virtual void WhenCreated(const std::string& name, std::function<void(TComponent*)> apply) = 0;
    // The form's handler of that name; throws when the form registered none.
    virtual TNotifyEvent Handler(const std::string& name) = 0;
};

using ComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Classes that a layout may create, by class name.
void RegisterComponentClass(const std::string& className, ComponentFactory factory);

template <class T>
void RegisterComponentClass(const std::string& className)
{
    RegisterComponentClass(className, [](TComponent* owner) { return new T(owner); });
}

// Reads `object Name: TClass` ... `end` blocks into root: the outermost block describes root itself,
// nested blocks create components owned by root and placed inside their enclosing component.
// Properties are applied in file order. Throws Exception on a syntax error, an unknown class or property.
void LoadLayout(TComponent& root, const std::string& text, LayoutContext& context);

// Reads a layout compiled into the program (":/app/Picsifter.layout").
std::string ReadLayoutResource(const std::string& resourcePath);
