// Each call converts the program's Windows-1252 text to UTF-8 and hands it to
// the page's script (page.js), which keeps the elements.
#include "framework/web/Dom.h"

#include <emscripten.h>

#include <cstdlib>

#include "framework/web/Windows1252.h"

EM_JS(void, lexodromMeasure, (const char* family, int pixels, int bold, int italic, int* out), {
    const units = LexodromPage.measure(UTF8ToString(family), pixels, bold, italic);
    HEAP32[out >> 2] = units[0];
    HEAP32[(out >> 2) + 1] = units[1];
});
EM_JS(int, lexodromCreateDialog,
      (int templateId, const char* caption, int width, int height, int baseX, int baseY,
       const char* family, int pixels, int bold, int sysMenu, int minimizeBox),
      {
          return LexodromPage.createDialog(templateId, UTF8ToString(caption), width, height, baseX,
                                           baseY, UTF8ToString(family), pixels, bold, sysMenu,
                                           minimizeBox);
      });
EM_JS(int, lexodromCreateControl,
      (int dialog, int kind, int index, int id, const char* text, int x, int y, int width,
       int height, int flags, int group),
      {
          return LexodromPage.createControl(dialog, kind, index, id, UTF8ToString(text), x, y,
                                            width, height, flags, group);
      });
EM_JS(void, lexodromSetText, (int element, const char* text),
      { LexodromPage.setText(element, UTF8ToString(text)); });
EM_JS(char*, lexodromValue, (int element), {
    const value = LexodromPage.value(element);
    const size = lengthBytesUTF8(value) + 1;
    const buffer = _malloc(size);
    stringToUTF8(value, buffer, size);
    return buffer;
});
EM_JS(void, lexodromSetState, (int element, int state, int value),
      { LexodromPage.setState(element, state, value); });
EM_JS(int, lexodromChecked, (int element), { return LexodromPage.checked(element) ? 1 : 0; });
EM_JS(void, lexodromFocus, (int element), { LexodromPage.focus(element); });
EM_JS(void, lexodromSelect, (int element, int start, int end),
      { LexodromPage.select(element, start, end); });
EM_JS(int, lexodromSelectedAll, (int element),
      { return LexodromPage.selectedAll(element) ? 1 : 0; });
EM_JS(void, lexodromType, (int element, const char* text),
      { LexodromPage.type(element, UTF8ToString(text)); });
EM_JS(void, lexodromAddLine, (int element, const char* text),
      { LexodromPage.addLine(element, UTF8ToString(text)); });
EM_JS(void, lexodromSetName, (int element, const char* text),
      { LexodromPage.setName(element, UTF8ToString(text)); });
EM_JS(void, lexodromSetIcon, (int element, const char* const* xpm), {
    const header = UTF8ToString(HEAP32[xpm >> 2]).split(' ').filter(Boolean).map(Number);
    const lines = [];
    const count = 1 + header[2] + header[1];
    for (let i = 0; i < count; ++i) {
        lines.push(UTF8ToString(HEAP32[(xpm >> 2) + i]));
    }
    LexodromPage.setIcon(element, lines);
});
EM_JS(void, lexodromShow, (int dialog, int owner), { LexodromPage.show(dialog, owner); });
EM_JS(void, lexodromRemove, (int dialog), { LexodromPage.remove(dialog); });
EM_JS(void, lexodromSetMinimized, (int dialog, int minimized),
      { LexodromPage.setMinimized(dialog, minimized); });
EM_JS(void, lexodromMoveBy, (int dialog, int dx, int dy), { LexodromPage.moveBy(dialog, dx, dy); });
EM_JS(int, lexodromCreateMessageBox, (const char* caption, const char* text, int icon),
      { return LexodromPage.createMessageBox(UTF8ToString(caption), UTF8ToString(text), icon); });
EM_JS(int, lexodromCreateMenu, (int dialog, int x, int y),
      { return LexodromPage.createMenu(dialog, x, y); });
EM_JS(void, lexodromAddMenuItem, (int menu, int index, const char* text, int enabled),
      { LexodromPage.addMenuItem(menu, index, UTF8ToString(text), enabled); });
EM_JS(void, lexodromBeep, (), { LexodromPage.beep(); });
EM_JS(int, lexodromOpenHelp, (), { return LexodromPage.openHelp() ? 1 : 0; });

namespace framework::web::dom {
namespace {

std::string utf8(std::string_view windows1252) {
    return FromWindows1252(windows1252);
}

}  // namespace

BaseUnits Measure(std::string_view family, int pixels, bool bold, bool italic) {
    int out[2] = {0, 0};
    lexodromMeasure(std::string(family).c_str(), pixels, bold ? 1 : 0, italic ? 1 : 0, out);
    return {out[0], out[1]};
}

int CreateDialog(unsigned templateId, std::string_view caption, int width, int height,
                 BaseUnits units, std::string_view family, int pixels, bool bold, bool sysMenu,
                 bool minimizeBox) {
    return lexodromCreateDialog(static_cast<int>(templateId), utf8(caption).c_str(), width, height,
                                units.x, units.y, std::string(family).c_str(), pixels, bold ? 1 : 0,
                                sysMenu ? 1 : 0, minimizeBox ? 1 : 0);
}

int CreateControl(int dialog, Element kind, int index, int id, std::string_view text, int x, int y,
                  int width, int height, int flags, int radioGroup) {
    return lexodromCreateControl(dialog, static_cast<int>(kind), index, id, utf8(text).c_str(), x,
                                 y, width, height, flags, radioGroup);
}

void SetText(int element, std::string_view text) {
    lexodromSetText(element, utf8(text).c_str());
}

std::string Value(int element, char unrepresentable) {
    char* value = lexodromValue(element);
    std::string bytes = ToWindows1252(value, unrepresentable);
    std::free(value);
    return bytes;
}

std::string ScreenValue(int element) {
    char* value = lexodromValue(element);
    std::string text = value;
    std::free(value);
    return text;
}

void SetState(int element, State state, int value) {
    lexodromSetState(element, static_cast<int>(state), value);
}

bool Checked(int element) {
    return lexodromChecked(element) != 0;
}

void Focus(int element) {
    lexodromFocus(element);
}

void Select(int element, int start, int end) {
    lexodromSelect(element, start, end);
}

bool SelectedAll(int element) {
    return lexodromSelectedAll(element) != 0;
}

void Type(int element, std::string_view utf8Text) {
    lexodromType(element, std::string(utf8Text).c_str());
}

void AddLine(int element, std::string_view text) {
    lexodromAddLine(element, utf8(text).c_str());
}

void SetAccessibleName(int element, std::string_view text) {
    lexodromSetName(element, utf8(text).c_str());
}

void SetIcon(int element, const char* const* xpm) {
    lexodromSetIcon(element, xpm);
}

void Show(int dialog, int owner) {
    lexodromShow(dialog, owner);
}

void Remove(int dialog) {
    lexodromRemove(dialog);
}

void SetMinimized(int dialog, bool minimized) {
    lexodromSetMinimized(dialog, minimized ? 1 : 0);
}

void MoveBy(int dialog, int dx, int dy) {
    lexodromMoveBy(dialog, dx, dy);
}

int CreateMessageBox(std::string_view caption, std::string_view text, unsigned iconBits) {
    return lexodromCreateMessageBox(utf8(caption).c_str(), utf8(text).c_str(),
                                    static_cast<int>(iconBits));
}

int CreateMenu(int dialog, int x, int y) {
    return lexodromCreateMenu(dialog, x, y);
}

void AddMenuItem(int menu, int index, std::string_view text, bool enabled) {
    lexodromAddMenuItem(menu, index, utf8(text).c_str(), enabled ? 1 : 0);
}

std::string Utf8(std::string_view windows1252) {
    return utf8(windows1252);
}

void Beep() {
    lexodromBeep();
}

bool OpenHelp() {
    return lexodromOpenHelp() != 0;
}

}  // namespace framework::web::dom
