// A JSON document as the tests read one, from a tool that prints it (swaymsg -t get_tree).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { kNull, kBoolean, kNumber, kText, kArray, kObject };
    Kind kind = Kind::kNull;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    // The member of that name, or a null value when there is none.
    const JsonValue& operator[](const std::string& name) const;
};

// The document, or none when the text is not JSON.
std::optional<JsonValue> parseJson(const std::string& text);
