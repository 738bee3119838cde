// The form descriptions compiled into the program (cmake/EmbedDescriptions.cmake), found by name.
#pragma once

#include <string>

class TComponent;

// Generated code registers each embedded file at start-up under its file name without ".dfm.txt" or ".description".
// A second text under the same name replaces the first.
void RegisterDescriptionResource(const std::string& name, std::string text);
// The text registered under name (ASCII case ignored), or nullptr.
const std::string* FindDescriptionResource(const std::string& name);
// Reads the named description into root as ReadDescription does; EReadError "Description <name> not found" when
// nothing has that name.
void ReadDescriptionResource(TComponent* root, const std::string& name);
