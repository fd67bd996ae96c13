#include "tests/support/json_value.h"

#include <cstdlib>
#include <cstring>

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    std::optional<JsonValue> document() {
        std::optional<JsonValue> value = parseValue();
        skipSpace();
        if (at_ != text_.size())
            return std::nullopt;
        return value;
    }

private:
    void skipSpace() {
        while (at_ < text_.size() && std::strchr(" \t\r\n", text_[at_]) != nullptr)
            ++at_;
    }

    bool take(char expected) {
        skipSpace();
        if (at_ < text_.size() && text_[at_] == expected) {
            ++at_;
            return true;
        }
        return false;
    }

    bool takeWord(const char* word) {
        const size_t length = std::strlen(word);
        if (text_.compare(at_, length, word) != 0)
            return false;
        at_ += length;
        return true;
    }

    std::optional<JsonValue> parseValue() {
        skipSpace();
        if (at_ >= text_.size())
            return std::nullopt;
        JsonValue value;
        const char first = text_[at_];
        if (first == '{')
            return parseObject();
        if (first == '[')
            return parseArray();
        if (first == '"') {
            std::optional<std::string> text = parseText();
            if (!text)
                return std::nullopt;
            value.kind = JsonValue::Kind::kText;
            value.text = std::move(*text);
        } else if (takeWord("true")) {
            value.kind = JsonValue::Kind::kBoolean;
            value.boolean = true;
        } else if (takeWord("false")) {
            value.kind = JsonValue::Kind::kBoolean;
        } else if (takeWord("null")) {
            value.kind = JsonValue::Kind::kNull;
        } else {
            char* end = nullptr;
            value.kind = JsonValue::Kind::kNumber;
            value.number = std::strtod(text_.c_str() + at_, &end);
            if (end == text_.c_str() + at_)
                return std::nullopt;
            at_ = static_cast<size_t>(end - text_.c_str());
        }
        return value;
    }

    std::optional<JsonValue> parseObject() {
        JsonValue object;
        object.kind = JsonValue::Kind::kObject;
        take('{');
        if (take('}'))
            return object;
        do {
            skipSpace();
            std::optional<std::string> name = parseText();
            if (!name || !take(':'))
                return std::nullopt;
            std::optional<JsonValue> member = parseValue();
            if (!member)
                return std::nullopt;
            object.members[*name] = std::move(*member);
        } while (take(','));
        return take('}') ? std::optional(std::move(object)) : std::nullopt;
    }

    std::optional<JsonValue> parseArray() {
        JsonValue array;
        array.kind = JsonValue::Kind::kArray;
        take('[');
        if (take(']'))
            return array;
        do {
            std::optional<JsonValue> item = parseValue();
            if (!item)
                return std::nullopt;
            array.items.push_back(std::move(*item));
        } while (take(','));
        return take(']') ? std::optional(std::move(array)) : std::nullopt;
    }

    // A quoted text, its escapes undone; a \u escape becomes UTF-8 (a surrogate pair is not
    // joined: the tests read captions of the Basic Multilingual Plane).
    std::optional<std::string> parseText() {
        if (at_ >= text_.size() || text_[at_] != '"')
            return std::nullopt;
        ++at_;
        std::string text;
        while (at_ < text_.size() && text_[at_] != '"') {
            char ch = text_[at_++];
            if (ch != '\\') {
                text.push_back(ch);
                continue;
            }
            if (at_ >= text_.size())
                return std::nullopt;
            ch = text_[at_++];
            if (ch == 'u') {
                if (at_ + 4 > text_.size())
                    return std::nullopt;
                appendUtf8(text, std::strtoul(text_.substr(at_, 4).c_str(), nullptr, 16));
                at_ += 4;
            } else {
                const char* escapes = "b\bf\fn\nr\rt\t";
                const char* found = std::strchr(escapes, ch);
                text.push_back(found != nullptr && (found - escapes) % 2 == 0 ? found[1] : ch);
            }
        }
        if (at_ >= text_.size())
            return std::nullopt;
        ++at_;
        return text;
    }

    static void appendUtf8(std::string& text, unsigned long code) {
        if (code < 0x80) {
            text.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (code >> 6)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xE0 | (code >> 12)));
            text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }

    const std::string& text_;
    size_t at_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
    static const JsonValue none;
    const auto found = members.find(name);
    return found != members.end() ? found->second : none;
}

std::optional<JsonValue> parseJson(const std::string& text) {
    return Parser(text).document();
}
