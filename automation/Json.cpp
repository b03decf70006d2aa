#include "automation/Json.h"

#include <algorithm>

namespace automation::json {
namespace {

bool continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of `bytes`
// (one that is no overlong form, no surrogate and not beyond U+10FFFF), or 0.
std::size_t sequenceLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t smallest = 0;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2, smallest = 0x80, codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, smallest = 0x800, codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4, smallest = 0x10000, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (bytes.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!continuation(byte)) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint >= smallest && !surrogate && codePoint <= 0x10FFFF ? length : 0;
}

void writeString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char c = utf8[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            // A byte that starts no well-formed sequence stands for U+FFFD,
            // and the next byte is read afresh.
            const std::size_t length = sequenceLength(utf8.substr(i));
            if (length == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
            } else {
                out.append(utf8.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
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
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xf];
                } else {
                    out += c;
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
