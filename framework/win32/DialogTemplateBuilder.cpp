#include "framework/win32/DialogTemplateBuilder.h"

#include <cstring>
#include <string_view>

#include "framework/win32/Windows1252.h"

namespace framework::win32 {
namespace {

// The predefined window classes a template may name by number.
constexpr std::uint16_t kButtonClass = 0x0080;
constexpr std::uint16_t kEditClass = 0x0081;
constexpr std::uint16_t kStaticClass = 0x0082;
constexpr std::uint16_t kListBoxClass = 0x0083;
constexpr std::uint16_t kOrdinal = 0xFFFF;
constexpr std::uint8_t kDefaultCharset = 1;  // DEFAULT_CHARSET

class Writer {
public:
    void word(std::uint16_t value) { words_.push_back(value); }
    void dword(std::uint32_t value) {
        word(static_cast<std::uint16_t>(value & 0xFFFF));
        word(static_cast<std::uint16_t>(value >> 16));
    }
    void coordinate(short value) { word(static_cast<std::uint16_t>(value)); }
    void text(const char* windows1252) {
        for (wchar_t unit : fromWindows1252(windows1252 != nullptr ? windows1252 : "")) {
            word(static_cast<std::uint16_t>(unit));
        }
        word(0);
    }
    void ordinal(std::uint16_t value) {
        word(kOrdinal);
        word(value);
    }
    // Each item starts on a DWORD boundary.
    void alignToDword() {
        if (words_.size() % 2 != 0) {
            word(0);
        }
    }
    std::vector<std::uint16_t> take() { return std::move(words_); }

private:
    std::vector<std::uint16_t> words_;
};

std::uint16_t classOrdinal(const char* windowClass) {
    const std::string_view name(windowClass);
    if (name == "BUTTON") {
        return kButtonClass;
    }
    if (name == "EDIT") {
        return kEditClass;
    }
    if (name == "LISTBOX") {
        return kListBoxClass;
    }
    return kStaticClass;
}

void writeItem(Writer& out, const DialogItemTemplate& item) {
    out.alignToDword();
    out.dword(0);  // help id
    out.dword(item.exStyle);
    out.dword(item.style);
    out.coordinate(item.x);
    out.coordinate(item.y);
    out.coordinate(item.cx);
    out.coordinate(item.cy);
    out.dword(static_cast<std::uint32_t>(item.id));
    out.ordinal(classOrdinal(item.windowClass));
    const bool icon =
        std::string_view(item.windowClass) == "STATIC" && (item.style & SS_TYPEMASK) == SS_ICON;
    if (icon) {
        out.ordinal(static_cast<std::uint16_t>(item.iconId));
    } else {
        out.text(item.text);
    }
    out.word(0);  // no creation data
}

}  // namespace

std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialog) {
    Writer out;
    out.word(1);         // version of the extended template
    out.word(kOrdinal);  // its signature
    out.dword(0);        // help id
    out.dword(dialog.exStyle);
    out.dword(dialog.style | DS_SETFONT);
    out.word(static_cast<std::uint16_t>(dialog.items.size()));
    out.coordinate(dialog.x);
    out.coordinate(dialog.y);
    out.coordinate(dialog.cx);
    out.coordinate(dialog.cy);
    out.word(0);  // no menu
    out.word(0);  // the standard dialog class
    out.text(dialog.caption);
    out.word(static_cast<std::uint16_t>(dialog.pointSize));
    out.word(static_cast<std::uint16_t>(dialog.weight));
    out.word(static_cast<std::uint16_t>((dialog.italic ? 1 : 0) | (kDefaultCharset << 8)));
    out.text(dialog.fontName);
    for (const DialogItemTemplate& item : dialog.items) {
        writeItem(out, item);
    }
    return out.take();
}

}  // namespace framework::win32
