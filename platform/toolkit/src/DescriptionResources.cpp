// The name → text table of embedded form descriptions.
#include <toolkit/DescriptionResources.h>

#include <toolkit/Reader.h>

#include <map>

namespace {

std::string Key(std::string name) {
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
}

// Filled from static initialisers of generated files, hence a function-local table.
std::map<std::string, std::string>& Table() {
    static std::map<std::string, std::string> table;
    return table;
}

}  // namespace

void RegisterDescriptionResource(const std::string& name, std::string text) { Table()[Key(name)] = std::move(text); }

const std::string* FindDescriptionResource(const std::string& name) {
    auto found = Table().find(Key(name));
    return found == Table().end() ? nullptr : &found->second;
}

void ReadDescriptionResource(TComponent* root, const std::string& name) {
    const std::string* text = FindDescriptionResource(name);
    if (!text) throw EReadError("Description " + name + " not found");
    ReadDescription(root, *text);
}
