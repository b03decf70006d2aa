// What the real windows show, read into plain snapshots for automation: the
// active window, every open dialog with its controls (text, enabled, checked,
// default-button style and focus as Windows reports them), and pixels.
#include <algorithm>

#include "automation/Backend.h"
#include "framework/CWinApp.h"
#include "framework/win32/Timers.h"
#include "framework/win32/Windows1252.h"
#include "framework/win32/automation/ActiveWindows.h"
#include "framework/win32/automation/Png.h"

namespace framework::win32::automation {

const OpenMessageBox* topMessageBox() {
    const auto& boxes = openMessageBoxes();
    return boxes.empty() ? nullptr : &boxes.back();
}

DialogWindow* activeDialog() {
    if (DialogWindow::openMenu() != nullptr || topMessageBox() != nullptr) {
        return nullptr;
    }
    // A dialog without WS_VISIBLE is shown when its loop first finds the
    // queue empty; it takes input from the start all the same.
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (!(*it)->ended()) {
            return *it;
        }
    }
    return nullptr;
}

WindowImpl* findControl(int id) {
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (WindowImpl* control = (*it)->control(id)) {
            return control;
        }
    }
    return nullptr;
}

HWND keyTarget(HWND& topWindow) {
    topWindow = nullptr;
    if (const OpenMessageBox* box = topMessageBox()) {
        topWindow = box->hwnd;
    } else if (DialogWindow* dialog = activeDialog()) {
        topWindow = dialog->hwnd();
    }
    if (topWindow == nullptr) {
        return nullptr;
    }
    HWND focus = GetFocus();
    return focus != nullptr && IsChild(topWindow, focus) ? focus : topWindow;
}

}  // namespace framework::win32::automation

namespace automation {
namespace {

using framework::ControlKind;
using framework::WindowImpl;
using framework::win32::DialogWindow;
using framework::win32::toUtf8;
using framework::win32::automation::activeDialog;
using framework::win32::automation::findControl;
using framework::win32::automation::topMessageBox;

std::string utf8(const std::string& windows1252) {
    return toUtf8(framework::win32::fromWindows1252(windows1252));
}

// An edit box keeps "\r\n"; the protocol shows line ends as "\n", as the
// screen shows one line break.
std::string screenTextUtf8(const WindowImpl& control) {
    std::string text = toUtf8(control.screenText());
    if (control.kind == ControlKind::MultiLineEdit) {
        std::string lines;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                continue;
            }
            lines.push_back(text[i]);
        }
        return lines;
    }
    return text;
}

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::vector<std::string> listLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
        std::wstring line(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        lines.push_back(toUtf8(line));
    }
    return lines;
}

Geometry geometryWithin(HWND hwnd, HWND parent) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

int textWidth(HWND hwnd) {
    const std::wstring text = windowText(hwnd);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cx;
}

ControlSnapshot snapshotOf(const WindowImpl& control) {
    ControlSnapshot snapshot;
    HWND hwnd = control.hwnd;
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    snapshot.id = control.id;
    snapshot.kind = control.kind;
    snapshot.text = screenTextUtf8(control);
    snapshot.enabled = IsWindowEnabled(hwnd) != FALSE;
    snapshot.visible = (style & WS_VISIBLE) != 0;
    snapshot.checked = control.kind == ControlKind::RadioButton &&
                       SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    snapshot.isDefault =
        control.kind == ControlKind::PushButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    // No control of a minimised window has the keyboard focus; the dialog
    // gives it back to the same control when it is restored.
    snapshot.focus =
        hwnd == control.dialog->focusWithin() && IsIconic(control.dialog->hwnd()) == FALSE;
    if (control.kind == ControlKind::ListBox) {
        snapshot.lines = listLines(hwnd);
    }
    snapshot.geometry = geometryWithin(hwnd, control.dialog->hwnd());
    if (control.kind == ControlKind::Static) {
        snapshot.textWidth = textWidth(hwnd);
    }
    return snapshot;
}

std::vector<std::string> menuItems(HMENU menu) {
    std::vector<std::string> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & MF_SEPARATOR) != 0) {
            items.emplace_back("-");
            continue;
        }
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        items.push_back(toUtf8(text));
    }
    return items;
}

}  // namespace

ActiveWindow Active() {
    ActiveWindow active;
    if (HMENU menu = DialogWindow::openMenu()) {
        active.kind = ActiveWindow::Menu;
        active.items = menuItems(menu);
        return active;
    }
    if (const auto* box = topMessageBox()) {
        active.kind = ActiveWindow::MessageBox;
        active.title = utf8(box->title);
        active.text = utf8(box->text);
        active.icon = box->type & MB_ICONMASK;
        return active;
    }
    if (DialogWindow* dialog = activeDialog()) {
        active.kind = ActiveWindow::Dialog;
        active.templateId = dialog->dialog().TemplateId();
        active.title = toUtf8(windowText(dialog->hwnd()));
    }
    return active;
}

std::vector<DialogSnapshot> OpenDialogs() {
    std::vector<DialogSnapshot> dialogs;
    for (DialogWindow* dialog : DialogWindow::openDialogs()) {
        DialogSnapshot snapshot;
        snapshot.templateId = dialog->dialog().TemplateId();
        snapshot.title = toUtf8(windowText(dialog->hwnd()));
        for (const auto& control : dialog->controls()) {
            snapshot.controls.push_back(snapshotOf(*control));
        }
        dialogs.push_back(std::move(snapshot));
    }
    return dialogs;
}

std::string Text(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr) {
        return {};
    }
    CString text;
    control->wnd->GetWindowText(text);
    return text.bytes();
}

bool HasSelectedAll(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::Edit) {
        return false;
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control->hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(control->hwnd));
    return length == 0 || (start == 0 && end == length);
}

// The name screen readers read: the naming rule's, which the back end gave
// every control (framework/win32/ScreenReaderNames).
std::string AccessibleName(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? utf8(control->accessibleName) : std::string();
}

std::vector<std::pair<std::string, bool>> SystemMenuEntries() {
    std::vector<std::pair<std::string, bool>> entries;
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || main->Impl() == nullptr) {
        return entries;
    }
    HMENU menu = GetSystemMenu(main->Impl()->hwnd, FALSE);
    const std::vector<std::string> items = menuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        entries.emplace_back(items[i], (state & (MF_GRAYED | MF_DISABLED)) == 0);
    }
    return entries;
}

bool ClockRunning() {
    return framework::anyTimerRunning();
}

int Beeps() {
    return framework::win32::beepCount();
}

Geometry ControlGeometry(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? geometryWithin(control->hwnd, control->dialog->hwnd())
                              : Geometry{0, 0, 0, 0};
}

Geometry DialogGeometry() {
    const auto& dialogs = DialogWindow::openDialogs();
    if (dialogs.empty()) {
        return {0, 0, 0, 0};
    }
    HWND hwnd = dialogs.back()->hwnd();
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return {origin.x, origin.y, client.right, client.bottom};
}

bool VerticalScrollBarShown(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::ListBox) {
        return false;
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    return GetScrollBarInfo(control->hwnd, static_cast<LONG>(OBJID_VSCROLL), &info) != FALSE &&
           (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
}

bool ListLineShownWhole(int id, int index) {
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::ListBox || index < 0) {
        return false;
    }
    RECT line;
    if (SendMessageW(control->hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&line)) == LB_ERR) {
        return false;
    }
    RECT client;
    GetClientRect(control->hwnd, &client);
    return line.top >= client.top && line.bottom <= client.bottom && line.left >= client.left &&
           line.right <= client.right;
}

namespace {

LOGFONTW fontOf(HWND hwnd) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

}  // namespace

std::string FontFamily(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? toUtf8(fontOf(control->hwnd).lfFaceName) : std::string();
}

bool FontIsFixedPitch(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr) {
        return false;
    }
    HDC dc = GetDC(control->hwnd);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control->hwnd, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control->hwnd, dc);
    return (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;  // the bit means variable
}

// The active window's pixels, frame and all, copied from the screen's DC
// once the window and its controls have painted themselves (PrintWindow
// leaves the controls out where the controls do not print themselves).
bool SaveScreenshot(const std::string& path) {
    HWND window = nullptr;
    if (const auto* box = topMessageBox()) {
        window = box->hwnd;
    } else if (DialogWindow* dialog = activeDialog()) {
        window = dialog->hwnd();
    }
    if (window == nullptr) {
        return false;
    }
    if (IsWindowVisible(window) == FALSE) {
        ShowWindow(window, SW_SHOWNORMAL);  // as its loop is about to
    }
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    const auto* pixel = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i, pixel += 4) {
        rgb.push_back(pixel[2]);
        rgb.push_back(pixel[1]);
        rgb.push_back(pixel[0]);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return framework::win32::automation::WritePng(path, width, height, rgb);
}

}  // namespace automation
