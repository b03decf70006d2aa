// Message maps: a static table per window class that binds a message, or a
// control's notification, to a member handler. Tables are searched from the
// most derived class to its bases, each in table order, as MFC does.
#pragma once

#include <span>

#include "framework/Win32Types.h"

class CWnd;

namespace framework {

using MessageHandler = LRESULT (*)(CWnd& target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;  // WM_COMMAND, WM_TIMER, ...
    UINT code;     // the notification code of a WM_COMMAND entry
    int id;        // the control id of a WM_COMMAND entry
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();     // the base class's map, or nullptr
    const MessageMapEntry* entries;  // ended by an entry without handler
};

template <class Member>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};

template <auto Handler>
LRESULT invokeCommand(CWnd& target, WPARAM, LPARAM) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<C&>(target).*Handler)();
    return 0;
}

template <auto Handler>
LRESULT invokeSysCommand(CWnd& target, WPARAM wParam, LPARAM lParam) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<C&>(target).*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <auto Handler>
LRESULT invokeTimer(CWnd& target, WPARAM wParam, LPARAM) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<C&>(target).*Handler)(static_cast<UINT_PTR>(wParam));
    return 0;
}

template <auto Handler>
LRESULT invokeQueryDragIcon(CWnd& target, WPARAM, LPARAM) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    return reinterpret_cast<LRESULT>((static_cast<C&>(target).*Handler)());
}

}  // namespace framework

// clang-format off
#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const framework::MessageMap* GetThisMessageMap();   \
    const framework::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const framework::MessageMap* theClass::GetMessageMap() const {                       \
        return GetThisMessageMap();                                                      \
    }                                                                                    \
    const framework::MessageMap* theClass::GetThisMessageMap() {                         \
        using ThisClass [[maybe_unused]] = theClass;                                     \
        using TheBaseClass = baseClass;                                                  \
        static const framework::MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                \
    {0, 0, 0, nullptr}                                                                   \
    }                                                                                    \
    ;                                                                                    \
    static const framework::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                                         \
    }

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, BN_CLICKED, id, &framework::invokeCommand<memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) {WM_COMMAND, BN_CLICKED, id, &framework::invokeCommand<memberFxn>},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, &framework::invokeSysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &framework::invokeCommand<&ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, &framework::invokeQueryDragIcon<&ThisClass::OnQueryDragIcon>},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, &framework::invokeTimer<&ThisClass::OnTimer>},
// clang-format on
