#include "automation/Json.h"

#include <algorithm>

namespace automation::json {
namespace {

void writeString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default: {
                const auto byte = static_cast<unsigned char>(c);
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xf];
                } else {
                    out += c;  // the rest of ASCII, and UTF-8 sequences as they are
                }
            }
        }
    }
    out += '"';
}

}  // namespace

Object& Object::Set(std::string key, Value value) {
    const auto at = std::lower_bound(members_.begin(), members_.end(), key,
                                     [](const std::pair<std::string, Value>& member,
                                        const std::string& k) { return member.first < k; });
    if (at != members_.end() && at->first == key) {
        at->second = std::move(value);
    } else {
        members_.emplace(at, std::move(key), std::move(value));
    }
    return *this;
}

void Value::WriteTo(std::string& out) const {
    if (const bool* b = std::get_if<bool>(&data_)) {
        out += *b ? "true" : "false";
    } else if (const std::int64_t* n = std::get_if<std::int64_t>(&data_)) {
        out += std::to_string(*n);
    } else if (const std::string* s = std::get_if<std::string>(&data_)) {
        writeString(out, *s);
    } else if (const Array* array = std::get_if<Array>(&data_)) {
        out += '[';
        for (std::size_t i = 0; i < array->size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            (*array)[i].WriteTo(out);
        }
        out += ']';
    } else {
        out += '{';
        bool first = true;
        for (const auto& [key, value] : std::get<Object>(data_).Members()) {
            if (!first) {
                out += ',';
            }
            first = false;
            writeString(out, key);
            out += ':';
            value.WriteTo(out);
        }
        out += '}';
    }
}

std::string Write(const Value& value) {
    std::string out;
    value.WriteTo(out);
    return out;
}

}  // namespace automation::json
