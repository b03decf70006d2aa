#include "framework/web/DialogWindow.h"

#include <algorithm>
#include <cstring>

#include "framework/AccessibleNames.h"
#include "framework/ModalHooks.h"
#include "framework/web/DialogLayout.h"
#include "framework/web/Dom.h"
#include "framework/web/Timers.h"
#include "framework/web/Windows1252.h"

namespace framework::web {
namespace {

std::vector<DialogWindow*>& registry() {
    static std::vector<DialogWindow*> dialogs;
    return dialogs;
}

OpenMenu* g_menu = nullptr;

bool isClass(const DialogItemTemplate& item, const char* name) {
    return std::strcmp(item.windowClass, name) == 0;
}

// Upper case of a Windows-1252 letter, for matching mnemonics: ASCII and
// the accented letters of Latin-1's upper half.
unsigned char upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - 'a' + 'A');
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<unsigned char>(c - 0x20);
    }
    return c;
}

// The mnemonic letter of a text ("&Neu" has N), or 0.
unsigned char mnemonicOf(const char* text) {
    for (const char* c = text != nullptr ? text : ""; c[0] != '\0' && c[1] != '\0'; ++c) {
        if (c[0] == '&') {
            if (c[1] == '&') {
                ++c;
                continue;
            }
            return upper(static_cast<unsigned char>(c[1]));
        }
    }
    return 0;
}

// The Windows-1252 byte of a key's character, from its UTF-8 name; 0 when
// it has none.
unsigned char windowsByteOf(std::string_view utf8) {
    const std::string bytes = ToWindows1252(utf8);
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : 0;
}

dom::Element elementFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return dom::Element::Button;
        case ControlKind::RadioButton:
            return dom::Element::Radio;
        case ControlKind::GroupBox:
            return dom::Element::Group;
        case ControlKind::Edit:
            return dom::Element::Edit;
        case ControlKind::MultiLineEdit:
            return dom::Element::Transcript;
        case ControlKind::Icon:
            return dom::Element::Icon;
        case ControlKind::ListBox:
            return dom::Element::List;
        default:
            return dom::Element::Static;
    }
}

ControlKind kindOf(const DialogItemTemplate& item) {
    const DWORD type = item.style & BS_TYPEMASK;
    if (isClass(item, "BUTTON")) {
        if (type == BS_GROUPBOX) {
            return ControlKind::GroupBox;
        }
        if (type == BS_AUTORADIOBUTTON) {
            return ControlKind::RadioButton;
        }
        return ControlKind::PushButton;
    }
    if (isClass(item, "EDIT")) {
        return (item.style & ES_MULTILINE) != 0 ? ControlKind::MultiLineEdit : ControlKind::Edit;
    }
    if (isClass(item, "LISTBOX")) {
        return ControlKind::ListBox;
    }
    if ((item.style & SS_TYPEMASK) == SS_ICON) {
        return ControlKind::Icon;
    }
    return ControlKind::Static;
}

}  // namespace

OpenMenu* openMenu() {
    return g_menu;
}

DialogWindow::DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate,
                           DialogWindow* owner)
    : dialog_(dialog), template_(dialogTemplate), owner_(owner) {
    const StandInFont font = standInFont(dialogTemplate);
    const dom::BaseUnits units = dom::Measure(font.family, font.pixels, font.bold, font.italic);
    units_.x = units.x;
    units_.y = units.y;
    const PixelRect size = toPixels(units, 0, 0, dialogTemplate.cx, dialogTemplate.cy);
    const int element = dom::CreateDialog(
        dialogTemplate.id, dialogTemplate.caption != nullptr ? dialogTemplate.caption : "",
        size.width, size.height, units, font.family, font.pixels, font.bold,
        (dialogTemplate.style & WS_SYSMENU) != 0, (dialogTemplate.style & WS_MINIMIZEBOX) != 0);
    self_ = std::make_unique<WindowImpl>(ControlKind::Dialog, 0, dialogTemplate.style,
                                         dialogTemplate.exStyle, element, &dialog, this);
    self_->text = dialogTemplate.caption != nullptr ? dialogTemplate.caption : "";
    self_->width = size.width;
    self_->height = size.height;
    buildControls();
    nameControlsForAssistiveTechnology();
    defaultId_ = DefaultButtonId(dialogTemplate);

    // The standard entries of the system menu, as Windows makes them for a
    // dialog frame: all five window commands when the window has a minimise
    // or maximise box, else Move alone. The program appends its own.
    CMenu& menu = self_->systemMenu;
    const bool boxes = (dialogTemplate.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    if (boxes) {
        menu.AppendMenu(MF_STRING | MF_GRAYED, SC_RESTORE, "&Wiederherstellen");
    }
    menu.AppendMenu(MF_STRING, SC_MOVE, "&Verschieben");
    if (boxes) {
        menu.AppendMenu(MF_STRING | MF_GRAYED, SC_SIZE,
                        "&Gr\xF6\xDF"
                        "e \xE4ndern");
        menu.AppendMenu(
            (dialogTemplate.style & WS_MINIMIZEBOX) != 0 ? MF_STRING : MF_STRING | MF_GRAYED,
            SC_MINIMIZE, "Mi&nimieren");
        menu.AppendMenu(
            (dialogTemplate.style & WS_MAXIMIZEBOX) != 0 ? MF_STRING : MF_STRING | MF_GRAYED,
            SC_MAXIMIZE, "Ma&ximieren");
    }
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SC_CLOSE,
                    "&Schlie\xDF"
                    "en\tAlt+F4");
    registry().push_back(this);
}

DialogWindow::~DialogWindow() {
    killTimersOf(self_.get());
    auto& dialogs = registry();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
    dom::Remove(self_->element);
    for (auto& object : controlObjects_) {
        object->AttachImpl(nullptr);
    }
}

const std::vector<DialogWindow*>& DialogWindow::openDialogs() {
    return registry();
}

DialogWindow* DialogWindow::ofElement(int element) {
    for (DialogWindow* dialog : registry()) {
        if (dialog->element() == element || dialog->controlOfElement(element) != nullptr) {
            return dialog;
        }
    }
    return nullptr;
}

WindowImpl* DialogWindow::control(int id) const {
    for (const auto& control : controls_) {
        if (control->id == id) {
            return control.get();
        }
    }
    return nullptr;
}

WindowImpl* DialogWindow::controlOfElement(int element) const {
    for (const auto& control : controls_) {
        if (control->element == element) {
            return control.get();
        }
    }
    return nullptr;
}

void DialogWindow::buildControls() {
    const dom::BaseUnits units{units_.x, units_.y};
    int radioGroup = 0;
    int groups = 0;
    int index = 0;
    for (const DialogItemTemplate& item : template_.items) {
        const ControlKind kind = kindOf(item);
        if ((item.style & WS_GROUP) != 0) {
            radioGroup = 0;  // a group start closes the radio group before it
        }
        if (kind == ControlKind::RadioButton && radioGroup == 0) {
            radioGroup = ++groups;
        }
        PixelRect rect = toPixels(units, item.x, item.y, item.cx, item.cy);
        if (kind == ControlKind::Icon) {
            rect.width = rect.height = 32;  // an icon static takes the icon's size
        }
        int flags = 0;
        if ((item.style & SS_NOPREFIX) != 0 && kind == ControlKind::Static) {
            flags |= dom::kNoPrefix;
        }
        if (kind == ControlKind::Static &&
            ((item.style & SS_TYPEMASK) == SS_RIGHT || (item.exStyle & WS_EX_RIGHT) != 0)) {
            flags |= dom::kRight;
        }
        if ((item.style & ES_READONLY) != 0 &&
            (kind == ControlKind::Edit || kind == ControlKind::MultiLineEdit)) {
            flags |= dom::kReadOnly;
        }
        if ((item.style & WS_TABSTOP) != 0) {
            flags |= dom::kTabStop;
        }
        if (kind == ControlKind::PushButton && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            flags |= dom::kDefault;
        }
        if ((item.style & WS_BORDER) != 0 || (item.exStyle & WS_EX_STATICEDGE) != 0) {
            flags |= dom::kBorder;
        }
        if (kind == ControlKind::Static && rect.height < 2 * units_.y) {
            flags |= dom::kSingleLine;
        }
        const char* text = item.text != nullptr ? item.text : "";
        const int element = dom::CreateControl(
            self_->element, elementFor(kind), index, item.id, text, rect.left, rect.top, rect.width,
            rect.height, flags, kind == ControlKind::RadioButton ? radioGroup : 0);
        auto object = std::make_unique<CWnd>();
        auto impl = std::make_unique<WindowImpl>(kind, item.id, item.style, item.exStyle, element,
                                                 object.get(), this);
        impl->foreign = item.foreign;
        impl->text = text;
        impl->index = index;
        impl->left = rect.left;
        impl->top = rect.top;
        impl->width = rect.width;
        impl->height = rect.height;
        impl->enabled = (item.style & WS_DISABLED) == 0;
        impl->visible = (item.style & WS_VISIBLE) != 0;
        if (!impl->enabled) {
            dom::SetState(element, dom::State::Enabled, 0);
        }
        if (!impl->visible) {
            dom::SetState(element, dom::State::Visible, 0);
        }
        if (kind == ControlKind::Edit) {
            dom::SetState(element, dom::State::RefuseForeign,
                          item.foreign == ForeignCharacters::Refuse ? 1 : 0);
        }
        if (kind == ControlKind::Icon) {
            if (const IconResource* icon = FindIcon(item.iconId); icon != nullptr) {
                const IconImage* best = &icon->images.front();
                for (const IconImage& image : icon->images) {
                    if (image.size == 32) {
                        best = &image;
                    }
                }
                dom::SetIcon(element, best->xpm);
            }
        }
        object->AttachImpl(impl.get());
        controls_.push_back(std::move(impl));
        controlObjects_.push_back(std::move(object));
        ++index;
    }
}

void DialogWindow::nameControlsForAssistiveTechnology() {
    const std::vector<std::string> names = AccessibleNames(template_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->accessibleName = names[i];
        dom::SetAccessibleName(controls_[i]->element, names[i]);
    }
}

// A disabled or hidden control takes no focus, nor does any while the window
// is minimised; the focus stays where it was.
void DialogWindow::setFocus(WindowImpl* control) {
    if (control != nullptr && (!control->enabled || !control->visible || minimized_)) {
        return;
    }
    focus_ = control;
    if (control != nullptr && shown_) {
        dom::Focus(control->element);
    }
}

void DialogWindow::focusFirstTabStop() {
    for (const auto& control : controls_) {
        if ((control->style & WS_TABSTOP) != 0 && control->enabled && control->visible) {
            setFocus(control.get());
            if (control->kind == ControlKind::Edit) {
                dom::Select(control->element, 0, -1);
            }
            return;
        }
    }
}

void DialogWindow::controlDisabled(WindowImpl& control) {
    if (focus_ != &control) {
        return;
    }
    // The focus moves on to the next tab stop, or nowhere when none takes it.
    focusNextTabStop(false);
    if (focus_ == &control) {
        focus_ = nullptr;
    }
}

void DialogWindow::focusNextTabStop(bool backwards) {
    const int count = static_cast<int>(controls_.size());
    if (count == 0) {
        return;
    }
    const int start = focus_ != nullptr ? focus_->index : (backwards ? 0 : count - 1);
    for (int step = 1; step <= count; ++step) {
        const int i = ((backwards ? start - step : start + step) % count + count) % count;
        WindowImpl& control = *controls_[static_cast<std::size_t>(i)];
        if ((control.style & WS_TABSTOP) != 0 && control.enabled && control.visible) {
            setFocus(&control);
            if (control.kind == ControlKind::Edit) {
                dom::Select(control.element, 0, -1);  // Tab selects an edit box's text
            }
            return;
        }
    }
}

int DialogWindow::runModal() {
    if (ended_) {
        return result_;
    }
    shown_ = true;
    dom::Show(self_->element, owner_ != nullptr ? owner_->element() : 0);
    if (focus_ != nullptr) {
        dom::Focus(focus_->element);
    }
    framework::notifyModalStarted([this] { return ended_; });
    runUntil([this] { return ended_; });
    framework::notifyModalEnded();
    shown_ = false;
    return result_;
}

void DialogWindow::endModal(int result) {
    result_ = result;
    ended_ = true;
}

void DialogWindow::setMinimized(bool minimized) {
    minimized_ = minimized;
    dom::SetMinimized(self_->element, minimized);
}

void DialogWindow::dispatchCommand(int id, UINT code) {
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code));
    WindowImpl* target = control(id);
    dialog_.DispatchMessage(WM_COMMAND, wParam,
                            target != nullptr ? reinterpret_cast<LPARAM>(target) : 0);
}

void DialogWindow::clickControl(WindowImpl& control) {
    if (!control.enabled || !control.visible) {
        return;
    }
    if (control.kind == ControlKind::RadioButton) {
        // An automatic radio button checks itself; the page unchecks the
        // others of its group.
        dom::SetState(control.element, dom::State::Checked, 1);
    } else if (control.kind != ControlKind::PushButton) {
        return;
    }
    dispatchCommand(control.id, BN_CLICKED);
}

void DialogWindow::handleEnter() {
    if (focus_ != nullptr && focus_->isPushButton()) {
        clickControl(*focus_);
        return;
    }
    if (WindowImpl* target = control(defaultId_)) {
        clickControl(*target);
    }
}

bool DialogWindow::handleMnemonic(char32_t key) {
    const auto& items = template_.items;
    const unsigned char wanted = upper(static_cast<unsigned char>(key));
    if (wanted == 0) {
        return false;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        WindowImpl& control = *controls_[i];
        if (control.kind == ControlKind::Edit || control.kind == ControlKind::MultiLineEdit ||
            control.kind == ControlKind::ListBox || control.kind == ControlKind::Icon ||
            (control.kind == ControlKind::Static && (control.style & SS_NOPREFIX) != 0)) {
            continue;
        }
        if (mnemonicOf(items[i].text) != wanted) {
            continue;
        }
        if (!control.enabled || !control.visible) {
            return true;
        }
        if (control.kind == ControlKind::PushButton || control.kind == ControlKind::RadioButton) {
            setFocus(&control);
            clickControl(control);
        } else {
            // A label's mnemonic moves the focus to the next control that takes it.
            for (std::size_t j = i + 1; j < controls_.size(); ++j) {
                WindowImpl& next = *controls_[j];
                if (next.takesFocus() && next.enabled && next.visible) {
                    setFocus(&next);
                    break;
                }
            }
        }
        return true;
    }
    return false;
}

bool DialogWindow::beginMove() {
    if (moving_ || minimized_) {
        return false;
    }
    moving_ = true;
    movedX_ = movedY_ = 0;
    return true;
}

// While the window is being moved, the arrow keys move it by eight pixels;
// Enter leaves it where it is, Escape puts it back. Nothing reaches the
// controls meanwhile.
bool DialogWindow::handleMoveKey(std::string_view name) {
    constexpr int kStep = 8;
    int dx = 0;
    int dy = 0;
    if (name == "Left") {
        dx = -kStep;
    } else if (name == "Right") {
        dx = kStep;
    } else if (name == "Up") {
        dy = -kStep;
    } else if (name == "Down") {
        dy = kStep;
    } else if (name == "Enter") {
        moving_ = false;
    } else if (name == "Escape") {
        dom::MoveBy(self_->element, -movedX_, -movedY_);
        moving_ = false;
    }
    if (dx != 0 || dy != 0) {
        dom::MoveBy(self_->element, dx, dy);
        movedX_ += dx;
        movedY_ += dy;
    }
    return true;
}

bool DialogWindow::pressKey(std::string_view name) {
    if (moving_) {
        return handleMoveKey(name);
    }
    if (name == "Enter") {
        handleEnter();
    } else if (name == "Escape") {
        dispatchCommand(IDCANCEL, BN_CLICKED);
    } else if (name == "Tab" || name == "Shift+Tab") {
        focusNextTabStop(name != "Tab");
    } else if (name == "Alt+Space") {
        openSystemMenu(-1, -1);
    } else if (name == "Alt+F4") {
        dialog_.DispatchMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (name == "Space") {
        // A focused button is pressed; an edit box takes the blank.
        if (focus_ != nullptr &&
            (focus_->kind == ControlKind::PushButton || focus_->kind == ControlKind::RadioButton)) {
            clickControl(*focus_);
        } else if (focus_ != nullptr && focus_->kind == ControlKind::Edit) {
            dom::Type(focus_->element, " ");
        }
    } else if (name == "Left" || name == "Right" || name == "Up" || name == "Down") {
        // The caret moves or nothing happens: no command of the program.
    } else if (name.starts_with("Alt+")) {
        // A character that is no mnemonic reaches the focused control, and
        // an edit box types it, in lower case as the key gives it.
        const std::string_view character = name.substr(4);
        if (!handleMnemonic(windowsByteOf(character)) && focus_ != nullptr &&
            focus_->kind == ControlKind::Edit) {
            const char32_t c = SingleCodePoint(character);
            const bool upperLatin1 =
                (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
            dom::Type(focus_->element,
                      upperLatin1 ? FromWindows1252(std::string(1, static_cast<char>(c + 0x20)))
                                  : std::string(character));
        }
    } else if (focus_ != nullptr && focus_->kind == ControlKind::Edit) {
        // A letter alone is typed into an edit box, whatever its code page
        // holds: the box's own rules decide.
        dom::Type(focus_->element, name);
    } else if (focus_ != nullptr && (focus_->kind == ControlKind::PushButton ||
                                     focus_->kind == ControlKind::RadioButton)) {
        // A control that takes no characters leaves them to the dialog,
        // where a mnemonic letter works without Alt, as on Windows.
        handleMnemonic(windowsByteOf(name));
    }
    return true;
}

void DialogWindow::refreshSystemMenu() {
    // Restore and Minimize follow the window's state, as Windows sets them
    // each time the menu opens; what the program changed stays as it is.
    CMenu& menu = self_->systemMenu;
    menu.EnableMenuItem(SC_RESTORE, minimized_ ? MF_ENABLED : MF_GRAYED);
    menu.EnableMenuItem(SC_MINIMIZE, (template_.style & WS_MINIMIZEBOX) != 0 && !minimized_
                                         ? MF_ENABLED
                                         : MF_GRAYED);
}

void DialogWindow::openSystemMenu(int x, int y) {
    if ((template_.style & WS_SYSMENU) == 0 || g_menu != nullptr) {
        return;
    }
    refreshSystemMenu();
    OpenMenu menu;
    menu.dialog = this;
    menu.element = dom::CreateMenu(self_->element, x, y);
    const CMenu& items = self_->systemMenu;
    for (int i = 0; i < items.itemCount(); ++i) {
        const CMenu::Item& item = items.items()[i];
        menu.items.push_back(&item);
        dom::AddMenuItem(menu.element, i, item.id == 0 ? std::string_view() : item.text.bytes(),
                         item.id != 0 && item.enabled);
    }
    g_menu = &menu;
    framework::notifyModalStarted([&menu] { return menu.closed; });
    runUntil([&menu] { return menu.closed; });
    g_menu = nullptr;
    dom::Remove(menu.element);
    framework::notifyModalEnded();
    // The command goes out once the menu has closed, as Windows sends it
    // after the menu's own loop.
    if (menu.chosen != 0) {
        dialog_.DispatchMessage(WM_SYSCOMMAND, menu.chosen, 0);
    }
}

}  // namespace framework::web
