// The in-memory templates as Windows builds the dialogs from them: every
// control of the four templates must come back with the template's id,
// class, text, style and position, as the dialog manager reports them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Resources.h"
#include "framework/win32/DialogTemplateBuilder.h"
#include "framework/win32/Windows1252.h"
#include "res/resource.h"

namespace {

using framework::DialogItemTemplate;
using framework::DialogTemplate;

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A dialog made by the dialog manager from the template, destroyed at the end.
class BuiltDialog {
public:
    explicit BuiltDialog(const DialogTemplate& dialog)
        : bytes_(framework::win32::BuildDialogTemplate(dialog)),
          hwnd_(CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()),
                                           nullptr, quietDialog, 0)) {}
    ~BuiltDialog() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
    }
    BuiltDialog(const BuiltDialog&) = delete;
    BuiltDialog& operator=(const BuiltDialog&) = delete;
    HWND hwnd() const { return hwnd_; }

    // The children in creation order, which is the template's.
    std::vector<HWND> children() const {
        std::vector<HWND> result;
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            result.push_back(child);
        }
        return result;
    }

private:
    std::vector<std::uint16_t> bytes_;
    HWND hwnd_;
};

std::string windowText1252(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return framework::win32::toWindows1252(text, '?');
}

std::wstring className(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring expectedClass(const DialogItemTemplate& item) {
    const std::string name(item.windowClass);
    if (name == "BUTTON") {
        return L"Button";
    }
    if (name == "EDIT") {
        return L"Edit";
    }
    if (name == "LISTBOX") {
        return L"ListBox";
    }
    return L"Static";
}

RECT inDialog(HWND child, HWND dialog) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where Windows puts the control: it converts the position and the size
// each from dialog units, so the far edge is the sum of the two.
RECT fromDialogUnits(HWND dialog, const DialogItemTemplate& item) {
    RECT units{item.x, item.y, item.cx, item.cy};
    MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

bool isListBox(const DialogItemTemplate& item) {
    return std::string(item.windowClass) == "LISTBOX";
}

// Windows makes a bordered edit box's or list box's border a sunken edge in
// a dialog, shows a list box's scroll bar (and its style bit) only while the
// lines do not fit, and gives an icon static its icon's size; nothing else of
// a template changes.
DWORD stylesKept(const DialogItemTemplate& item) {
    DWORD style = item.style;
    if (std::string(item.windowClass) == "EDIT" || isListBox(item)) {
        style &= ~static_cast<DWORD>(WS_BORDER);
    }
    if (isListBox(item)) {
        style &= ~static_cast<DWORD>(WS_VSCROLL);
    }
    return style;
}

void expectBuiltAsTemplate(UINT id) {
    const DialogTemplate* dialog = framework::FindDialogTemplate(id);
    ASSERT_NE(dialog, nullptr);
    BuiltDialog built(*dialog);
    ASSERT_NE(built.hwnd(), nullptr) << "template " << id;
    EXPECT_EQ(windowText1252(built.hwnd()), dialog->caption);

    const std::vector<HWND> children = built.children();
    ASSERT_EQ(children.size(), dialog->items.size()) << "template " << id;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const DialogItemTemplate& item = dialog->items[i];
        HWND child = children[i];
        SCOPED_TRACE("template " + std::to_string(id) + ", item " + std::to_string(i));
        EXPECT_EQ(static_cast<int>(GetWindowLongPtrW(child, GWLP_ID)), item.id);
        EXPECT_EQ(className(child), expectedClass(item));
        const bool icon =
            (item.style & SS_TYPEMASK) == SS_ICON && std::string(item.windowClass) == "STATIC";
        if (icon) {
            EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0) << "icon 128 from the resources";
        } else {
            EXPECT_EQ(windowText1252(child), item.text);
        }
        const auto style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        EXPECT_EQ(style & stylesKept(item), stylesKept(item)) << std::hex << style;
        const auto exStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
        EXPECT_EQ(exStyle & item.exStyle, item.exStyle) << std::hex << exStyle;

        const RECT actual = inDialog(child, built.hwnd());
        const RECT expected = fromDialogUnits(built.hwnd(), item);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        if (!icon) {
            EXPECT_EQ(actual.right, expected.right);
        }
        if (isListBox(item) && (item.style & LBS_NOINTEGRALHEIGHT) == 0) {
            // A list box shows whole lines only: it loses what is left over.
            const auto line = static_cast<LONG>(SendMessageW(child, LB_GETITEMHEIGHT, 0, 0));
            EXPECT_LE(actual.bottom, expected.bottom);
            EXPECT_GT(actual.bottom, expected.bottom - line);
        } else if (!icon) {
            EXPECT_EQ(actual.bottom, expected.bottom);
        }
    }
}

TEST(DialogTemplateBuilder, MainWindowArrivesAsItsTemplate) {
    expectBuiltAsTemplate(IDD_MAIN);
}

TEST(DialogTemplateBuilder, AboutBoxArrivesAsItsTemplate) {
    expectBuiltAsTemplate(IDD_ABOUTBOX);
}

TEST(DialogTemplateBuilder, ScoreDialogArrivesAsItsTemplate) {
    expectBuiltAsTemplate(IDD_SCORES);
}

TEST(DialogTemplateBuilder, NameDialogArrivesAsItsTemplate) {
    expectBuiltAsTemplate(IDD_NAME);
}

// The dialog's font is the template's: its dialog units follow that font's
// size, not the system font's.
TEST(DialogTemplateBuilder, DialogUnitsFollowTheTemplatesFont) {
    const DialogTemplate* main = framework::FindDialogTemplate(IDD_MAIN);
    const DialogTemplate* about = framework::FindDialogTemplate(IDD_ABOUTBOX);
    BuiltDialog mainDialog(*main);
    BuiltDialog aboutDialog(*about);
    RECT mainUnits{0, 0, 400, 800};
    RECT aboutUnits{0, 0, 400, 800};
    MapDialogRect(mainDialog.hwnd(), &mainUnits);
    MapDialogRect(aboutDialog.hwnd(), &aboutUnits);
    // Arial 14 points is larger than MS Sans Serif 10 points.
    EXPECT_GT(mainUnits.bottom, aboutUnits.bottom);
    EXPECT_GT(mainUnits.right, aboutUnits.right);
}

}  // namespace
