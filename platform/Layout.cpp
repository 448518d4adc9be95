#include "platform/Layout.h"

#include <QFile>
#include <cctype>
#include <map>

#include "platform/Exceptions.h"
#include "platform/StandardClasses.h"

namespace {

std::map<std::string, ComponentFactory>& Registry()
{
    static std::map<std::string, ComponentFactory> registry;
    return registry;
}

class Parser {
public:
    Parser(const std::string& text, TComponent& root, LayoutContext& context)
        : FText(text), FRoot(root), FContext(context) {}

    void Run()
    {
        ReadObject(nullptr);
        SkipBlank();
        if (FPos != FText.size())
            Fail("text after the last 'end'");
    }

private:
    void ReadObject(TComponent* enclosing)
    {
        ExpectWord("object");
        std::string name = ReadWord();
        Expect(':');
        std::string className = ReadWord();
        TComponent* component = &FRoot;
        if (enclosing) {
            auto factory = Registry().find(className);
            if (factory == Registry().end())
                Fail("unknown class " + className);
            component = factory->second(&FRoot);
            component->SetName(name);
            enclosing->AdoptLayoutChild(*component);
        } else {
            FRoot.SetName(name);
        }
        for (;;) {
            SkipBlank();
            std::string word = PeekWord();
            if (word == "end") {
                ReadWord();
                return;
            }
            if (word == "object") {
                ReadObject(component);
                continue;
            }
            std::string property = ReadWord();
            Expect('=');
            LayoutValue value = ReadValue();
            if (!component->SetProperty(property, value, FContext))
                Fail("unknown property " + className + "." + property);
        }
    }

    LayoutValue ReadValue()
    {
        SkipBlank();
        char c = Peek();
        if (c == '\'')
            return LayoutValue(LayoutValue::String, ReadString());
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t end = FPos + 1;
            while (end < FText.size() && std::isdigit(static_cast<unsigned char>(FText[end])))
                ++end;
            std::string digits = FText.substr(FPos, end - FPos);
            FPos = end;
            return LayoutValue(LayoutValue::Number, digits, std::stoll(digits));
        }
        if (c == '(') {
            ++FPos;
            std::vector<std::string> items;
            for (SkipBlank(); Peek() != ')'; SkipBlank())
                items.push_back(ReadString());
            ++FPos;
            return LayoutValue(LayoutValue::StringList, "", 0, std::move(items));
        }
        if (c == '[') {
            ++FPos;
            std::vector<std::string> items;
            for (SkipBlank(); Peek() != ']'; SkipBlank()) {
                items.push_back(ReadWord());
                SkipBlank();
                if (Peek() == ',')
                    ++FPos;
            }
            ++FPos;
            return LayoutValue(LayoutValue::Set, "", 0, std::move(items));
        }
        return LayoutValue(LayoutValue::Identifier, ReadWord());
    }

    // 'It''s' is one string; adjacent quoted pieces joined by + continue it.
    std::string ReadString()
    {
        std::string result;
        for (;;) {
            SkipBlank();
            Expect('\'');
            for (;;) {
                if (FPos >= FText.size())
                    Fail("unterminated string");
                char c = FText[FPos++];
                if (c == '\'') {
                    if (Peek() == '\'') {
                        result += '\'';
                        ++FPos;
                        continue;
                    }
                    break;
                }
                if (c == '\n')
                    Fail("line break inside a string");
                result += c;
            }
            std::size_t save = FPos;
            SkipBlank();
            if (Peek() == '+') {
                ++FPos;
                continue;
            }
            FPos = save;
            return result;
        }
    }

    std::string PeekWord()
    {
        std::size_t save = FPos;
        std::string word = ReadWord();
        FPos = save;
        return word;
    }

    std::string ReadWord()
    {
        SkipBlank();
        std::size_t start = FPos;
        while (FPos < FText.size() && (std::isalnum(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '_' ||
                                       FText[FPos] == '.'))
            ++FPos;
        if (start == FPos)
            Fail("a name expected");
        return FText.substr(start, FPos - start);
    }

    void ExpectWord(const std::string& word)
    {
        if (ReadWord() != word)
            Fail("'" + word + "' expected");
    }

    void Expect(char c)
    {
        SkipBlank();
        if (Peek() != c)
            Fail(std::string("'") + c + "' expected");
        ++FPos;
    }

    char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }

    void SkipBlank()
    {
        while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos])))
            ++FPos;
    }

    [[noreturn]] void Fail(const std::string& what) const
    {
        int line = 1;
        for (std::size_t i = 0; i < FPos && i < FText.size(); ++i)
            line += FText[i] == '\n';
        throw Exception("Layout of " + FRoot.Name() + ", line " + std::to_string(line) + ": " + what);
    }

    const std::string& FText;
    std::size_t FPos = 0;
    TComponent& FRoot;
    LayoutContext& FContext;
};

}  // namespace

int LayoutValue::Int() const
{
    if (FKind != Number)
        throw Exception("Layout: a number expected, found '" + FText + "'");
    return static_cast<int>(FNumber);
}

bool LayoutValue::Bool() const
{
    if (FKind == Identifier && (FText == "True" || FText == "False"))
        return FText == "True";
    throw Exception("Layout: True or False expected, found '" + FText + "'");
}

const std::string& LayoutValue::Text() const
{
    if (FKind != String && FKind != Identifier)
        throw Exception("Layout: a text expected");
    return FText;
}

const std::vector<std::string>& LayoutValue::Items() const
{
    if (FKind != StringList && FKind != Set)
        throw Exception("Layout: a list expected, found '" + FText + "'");
    return FItems;
}

void RegisterComponentClass(const std::string& className, ComponentFactory factory)
{
    Registry()[className] = std::move(factory);
}

void LoadLayout(TComponent& root, const std::string& text, LayoutContext& context)
{
    RegisterStandardClasses();
    Parser(text, root, context).Run();
}

std::string ReadLayoutResource(const std::string& resourcePath)
{
    QFile file(QString::fromStdString(resourcePath));
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Layout " + resourcePath + " is not in the program");
    return file.readAll().toStdString();
}
