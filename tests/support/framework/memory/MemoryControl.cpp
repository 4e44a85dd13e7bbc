#include "framework/memory/MemoryControl.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "framework/memory/ItemOrder.h"
#include "framework/memory/MemoryDialogWindow.h"

namespace {
constexpr MessageResult kOkay = 0;

int ToInt(WordParam value) { return static_cast<int>(static_cast<LongParam>(value)); }
}  // namespace

MemoryControl::MemoryControl(MemoryDialogWindow& dialog, const MemoryControlSpec& spec)
    : m_dialog(dialog),
      m_id(spec.id),
      m_kind(spec.kind),
      m_sorted(spec.sorted),
      m_enabled(!spec.startsDisabled),
      m_default(spec.isDefault),
      m_curSel(spec.kind == MemoryControlKind::ListBox ? 0 : -1) {}

MessageResult MemoryControl::Send(unsigned message, WordParam wParam, LongParam lParam) {
    if (m_destroyed) return 0;
    m_received.push_back({message, wParam, lParam});

    const auto overridden = m_overrides.find(message);
    if (overridden != m_overrides.end()) return overridden->second;
    if (message == kWmSetRedraw) {
        m_redrawing = wParam != 0;
        return 0;
    }
    if (message == kWmSetText) {
        m_text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        return 1;
    }

    switch (m_kind) {
        case MemoryControlKind::ListBox:
            return ListMessage(message, wParam, lParam);
        case MemoryControlKind::ComboBox:
            return ComboMessage(message, wParam, lParam);
        case MemoryControlKind::ProgressBar:
            return ProgressMessage(message, wParam, lParam);
        case MemoryControlKind::Button:
        case MemoryControlKind::Static:
            break;
    }
    return 0;
}

bool MemoryControl::Enable(bool enable) {
    const bool wasDisabled = !m_enabled;
    m_enabled = enable;
    return wasDisabled;
}

MessageResult MemoryControl::ListMessage(unsigned message, WordParam wParam, LongParam lParam) {
    switch (message) {
        case kLbAddString:
            return Insert(lParam);
        case kLbDeleteString:
            if (!HasItem(wParam)) return kLbErr;
            Erase(ToInt(wParam));
            return static_cast<MessageResult>(m_items.size());
        case kLbResetContent:
            m_items.clear();
            m_addedWhileRedrawing = 0;
            m_repaintedSinceChange = false;
            m_curSel = 0;
            m_anchor = -1;
            return kOkay;
        case kLbGetCount:
            return static_cast<MessageResult>(m_items.size());
        case kLbGetItemData:
            return HasItem(wParam) ? m_items[wParam].data : kLbErr;
        case kLbSetItemData:
            if (!HasItem(wParam)) return kLbErr;
            m_items[wParam].data = lParam;
            return kOkay;
        case kLbGetText:
            return CopyText(wParam, lParam);
        case kLbGetTextLen:
            return HasItem(wParam) ? static_cast<MessageResult>(m_items[wParam].text.size())
                                   : kLbErr;
        case kLbGetSelCount:
            return static_cast<MessageResult>(SelectedLines().size());
        case kLbGetSel:
            return HasItem(wParam) ? (m_items[wParam].selected ? 1 : 0) : kLbErr;
        case kLbSetSel:
            // lParam -1 selects or deselects every line.
            if (lParam == -1) {
                for (Item& item : m_items) item.selected = wParam != 0;
                return kOkay;
            }
            if (lParam < 0 || !HasItem(static_cast<WordParam>(lParam))) return kLbErr;
            m_items[static_cast<std::size_t>(lParam)].selected = wParam != 0;
            return kOkay;
        case kLbGetCurSel:
            return CurSel();
        case kLbSetCaretIndex:
            if (!HasItem(wParam)) return kLbErr;
            m_curSel = ToInt(wParam);
            return kOkay;
        case kLbGetCaretIndex:
            return CurSel();
        case kLbSetAnchorIndex:
            if (!HasItem(wParam)) return kLbErr;
            m_anchor = ToInt(wParam);
            return kOkay;
        case kLbGetAnchorIndex:
            return m_anchor;
        case kLbSetTabStops: {
            const int count = ToInt(wParam);
            if (count == 0) {
                m_tabStops.clear();
                return 1;
            }
            if (count < 0 || lParam == 0) return 0;
            const auto* stops = reinterpret_cast<const int*>(lParam);
            m_tabStops.assign(stops, stops + count);
            return 1;
        }
        default:
            return 0;
    }
}

MessageResult MemoryControl::ComboMessage(unsigned message, WordParam wParam, LongParam lParam) {
    switch (message) {
        case kCbAddString:
            return Insert(lParam);
        case kCbDeleteString:
            if (!HasItem(wParam)) return kCbErr;
            Erase(ToInt(wParam));
            return static_cast<MessageResult>(m_items.size());
        case kCbResetContent:
            m_items.clear();
            m_addedWhileRedrawing = 0;
            m_repaintedSinceChange = false;
            m_curSel = -1;
            return kOkay;
        case kCbGetCount:
            return static_cast<MessageResult>(m_items.size());
        case kCbGetCurSel:
            return m_curSel;
        case kCbSetCurSel:
            // Any position without an item, -1 among them, clears the selection.
            if (!HasItem(wParam)) {
                m_curSel = -1;
                return kCbErr;
            }
            m_curSel = ToInt(wParam);
            return m_curSel;
        case kCbGetItemData:
            return HasItem(wParam) ? m_items[wParam].data : kCbErr;
        case kCbSetItemData:
            if (!HasItem(wParam)) return kCbErr;
            m_items[wParam].data = lParam;
            return kOkay;
        case kCbGetLbText:
            return CopyText(wParam, lParam);
        case kCbGetLbTextLen:
            return HasItem(wParam) ? static_cast<MessageResult>(m_items[wParam].text.size())
                                   : kCbErr;
        default:
            return 0;
    }
}

MessageResult MemoryControl::ProgressMessage(unsigned message, WordParam wParam, LongParam lParam) {
    switch (message) {
        case kPbmSetRange: {
            const MessageResult previous = MakeLongParam(static_cast<unsigned>(m_rangeLow),
                                                         static_cast<unsigned>(m_rangeHigh));
            // The bounds are 16-bit words: a larger maximum wraps around.
            const auto range = static_cast<std::uint32_t>(lParam);
            m_rangeLow = static_cast<int>(range & 0xFFFFu);
            m_rangeHigh = static_cast<int>((range >> 16) & 0xFFFFu);
            m_position = std::max(m_rangeLow, std::min(m_position, m_rangeHigh));
            return previous;
        }
        case kPbmGetRange:
            if (lParam != 0) {
                auto* range = reinterpret_cast<int*>(lParam);
                range[0] = m_rangeLow;
                range[1] = m_rangeHigh;
            }
            return wParam != 0 ? m_rangeLow : m_rangeHigh;
        case kPbmSetPos:
            return SetPosition(ToInt(wParam));
        case kPbmDeltaPos:
            return SetPosition(m_position + ToInt(wParam));
        case kPbmGetPos:
            return m_position;
        default:
            return 0;
    }
}

int MemoryControl::Insert(LongParam textParameter) {
    const char* text = textParameter ? reinterpret_cast<const char*>(textParameter) : "";
    if (m_redrawing) ++m_addedWhileRedrawing;
    m_repaintedSinceChange = false;
    Item item;
    item.text = text;

    auto place = m_items.end();
    if (m_sorted) {
        // After the items it equals, as the platform inserts.
        place = std::upper_bound(m_items.begin(), m_items.end(), item,
                                 [](const Item& left, const Item& right) {
                                     return CompareItemTexts(left.text, right.text) < 0;
                                 });
    }
    const int position = static_cast<int>(place - m_items.begin());
    const bool hadItems = !m_items.empty();
    m_items.insert(place, std::move(item));

    if (m_kind == MemoryControlKind::ListBox) {
        if (hadItems && position <= m_curSel) ++m_curSel;
    } else if (m_curSel >= 0 && position <= m_curSel) {
        ++m_curSel;
    }
    if (m_anchor >= 0 && position <= m_anchor) ++m_anchor;
    return position;
}

void MemoryControl::Erase(int position) {
    m_items.erase(m_items.begin() + position);
    const int last = static_cast<int>(m_items.size()) - 1;

    if (m_kind == MemoryControlKind::ListBox) {
        if (m_curSel > position) --m_curSel;
        m_curSel = std::max(0, std::min(m_curSel, last));
    } else if (m_curSel == position) {
        m_curSel = -1;
    } else if (m_curSel > position) {
        --m_curSel;
    }
    if (m_anchor > position) --m_anchor;
    m_anchor = std::min(m_anchor, last);
}

MessageResult MemoryControl::CopyText(WordParam position, LongParam buffer) const {
    if (!HasItem(position)) return kLbErr;
    const std::string& text = m_items[position].text;
    // Like the platform, trusts the caller's buffer to hold the text and its NUL.
    if (buffer != 0) std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    return static_cast<MessageResult>(text.size());
}

int MemoryControl::SetPosition(int position) {
    const int previous = m_position;
    m_position = std::max(m_rangeLow, std::min(position, m_rangeHigh));
    m_positionHistory.push_back(m_position);
    return previous;
}

std::vector<std::string> MemoryControl::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(m_items.size());
    for (const Item& item : m_items) texts.push_back(item.text);
    return texts;
}

LongParam MemoryControl::ItemData(int position) const {
    return m_items.at(static_cast<std::size_t>(position)).data;
}

bool MemoryControl::IsSelected(int position) const {
    return m_items.at(static_cast<std::size_t>(position)).selected;
}

std::vector<int> MemoryControl::SelectedLines() const {
    std::vector<int> lines;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].selected) lines.push_back(static_cast<int>(i));
    }
    return lines;
}

int MemoryControl::CurSel() const {
    if (m_kind == MemoryControlKind::ListBox && m_items.empty()) return -1;
    return m_curSel;
}

void MemoryControl::UserSelect(std::vector<int> lines) {
    if (m_kind != MemoryControlKind::ListBox || m_destroyed || !m_enabled) return;
    for (Item& item : m_items) item.selected = false;
    for (int line : lines) {
        if (line < 0 || !HasItem(static_cast<WordParam>(line))) continue;
        m_items[static_cast<std::size_t>(line)].selected = true;
        m_curSel = line;
    }
    Notify(kLbnSelChange);
}

void MemoryControl::UserChoose(int position) {
    if (m_kind != MemoryControlKind::ComboBox || m_destroyed || !m_enabled) return;
    if (position < 0 || !HasItem(static_cast<WordParam>(position))) return;
    m_curSel = position;
    Notify(kCbnSelChange);
}

void MemoryControl::OverrideResult(unsigned message, MessageResult result) {
    m_overrides[message] = result;
}

int MemoryControl::ReceivedCount(unsigned message) const {
    return static_cast<int>(
        std::count_if(m_received.begin(), m_received.end(),
                      [message](const WindowMessage& sent) { return sent.message == message; }));
}

void MemoryControl::Notify(int code) { m_dialog.Notify(m_id, code); }
