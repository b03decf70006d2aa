// A small JSON writer for the driver's state line. It writes the compact
// form: no spaces, an object's keys in ascending byte order, strings as
// UTF-8 with only quotes, backslashes and control characters escaped
// (\b \f \n \r \t by name, the others as \u00xx), numbers as integers.
// Text that is not well-formed UTF-8 (a C library message in a Latin-1
// locale, say) is written with U+FFFD for each byte that starts no
// well-formed sequence, so that the line is always valid JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace automation::json {

class Value;
using Array = std::vector<Value>;

// An object; setting a key that is already there replaces its value.
class Object {
public:
    Object& Set(std::string key, Value value);
    const std::vector<std::pair<std::string, Value>>& Members() const { return members_; }

private:
    std::vector<std::pair<std::string, Value>> members_;  // ascending by key
};

class Value {
public:
    Value(bool value) : data_(value) {}
    Value(int value) : data_(static_cast<std::int64_t>(value)) {}
    Value(std::int64_t value) : data_(value) {}
    Value(std::string utf8) : data_(std::move(utf8)) {}
    Value(const char* utf8) : data_(std::string(utf8)) {}
    Value(Array array) : data_(std::move(array)) {}
    Value(Object object) : data_(std::move(object)) {}

    void WriteTo(std::string& out) const;

private:
    std::variant<bool, std::int64_t, std::string, Array, Object> data_;
};

// The value in the compact form described above.
std::string Write(const Value& value);

}  // namespace automation::json
