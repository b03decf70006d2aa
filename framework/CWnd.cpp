// The back-end-independent part of CWnd: message maps and the system menu's
// contents.
#include "framework/CWnd.h"

const framework::MessageMap* CWnd::GetThisMessageMap() {
    static const framework::MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const framework::MessageMap map = {nullptr, entries};
    return &map;
}

const framework::MessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

namespace {

bool matches(const framework::MessageMapEntry& entry, UINT message, WPARAM wParam) {
    if (entry.message != message) {
        return false;
    }
    if (message != WM_COMMAND) {
        return true;
    }
    return entry.code == HIWORD(wParam) && entry.id == static_cast<short>(LOWORD(wParam));
}

}  // namespace

LRESULT CWnd::DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT savedMessage = m_currentMessage;
    const WPARAM savedWParam = m_currentWParam;
    const LPARAM savedLParam = m_currentLParam;
    m_currentMessage = message;
    m_currentWParam = wParam;
    m_currentLParam = lParam;

    LRESULT result = 0;
    bool handled = false;
    for (const framework::MessageMap* map = GetMessageMap(); map != nullptr && !handled;
         map = map->base != nullptr ? map->base() : nullptr) {
        for (const framework::MessageMapEntry* entry = map->entries; entry->handler != nullptr;
             ++entry) {
            if (matches(*entry, message, wParam)) {
                result = entry->handler(*this, wParam, lParam);
                handled = true;
                break;
            }
        }
    }
    if (!handled) {
        result = DefWindowProc(message, wParam, lParam);
    }

    m_currentMessage = savedMessage;
    m_currentWParam = savedWParam;
    m_currentLParam = savedLParam;
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMessage, m_currentWParam, m_currentLParam);
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text) {
    if (m_count == kMaxItems) {
        return FALSE;
    }
    Item& item = m_items[m_count++];
    item.id = (flags & MF_SEPARATOR) != 0 ? 0 : static_cast<UINT>(id);
    item.text = (flags & MF_SEPARATOR) != 0 ? CString() : CString(text);
    item.enabled = (flags & (MF_DISABLED | MF_GRAYED)) == 0;
    return TRUE;
}

UINT CMenu::EnableMenuItem(UINT id, UINT enable) {
    for (int i = 0; i < m_count; ++i) {
        if (m_items[i].id == id && id != 0) {
            const UINT previous = m_items[i].enabled ? MF_ENABLED : MF_GRAYED;
            m_items[i].enabled = (enable & (MF_DISABLED | MF_GRAYED)) == 0;
            return previous;
        }
    }
    return static_cast<UINT>(-1);
}

const CMenu::Item* CMenu::items() const {
    return m_items;
}
int CMenu::itemCount() const {
    return m_count;
}
