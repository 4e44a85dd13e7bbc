#include "DialogTemplate.h"

#include <stdexcept>

namespace {

constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kDsShellFont = 0x48;

class ByteReader {
public:
    explicit ByteReader(const std::vector<unsigned char>& bytes) : m_bytes(bytes) {}

    std::uint8_t Byte() {
        Require(1);
        return m_bytes[m_offset++];
    }
    std::uint16_t Word() {
        Require(2);
        std::uint16_t value =
            static_cast<std::uint16_t>(m_bytes[m_offset] | m_bytes[m_offset + 1] << 8);
        m_offset += 2;
        return value;
    }
    std::uint32_t Dword() {
        std::uint32_t low = Word();
        return low | static_cast<std::uint32_t>(Word()) << 16;
    }
    std::int16_t Short() { return static_cast<std::int16_t>(Word()); }

    std::u16string Text() {
        std::u16string text;
        for (char16_t c = static_cast<char16_t>(Word()); c != 0;
             c = static_cast<char16_t>(Word())) {
            text.push_back(c);
        }
        return text;
    }

    NameOrOrdinal Field() {
        NameOrOrdinal field;
        Require(2);
        if (m_bytes[m_offset] == 0xFF && m_bytes[m_offset + 1] == 0xFF) {
            Word();
            field.isOrdinal = true;
            field.ordinal = Word();
        } else {
            field.text = Text();
        }
        return field;
    }

    // Items of a template start on 32-bit boundaries of the resource.
    void AlignToDword() { m_offset = (m_offset + 3) & ~static_cast<std::size_t>(3); }
    void Skip(std::size_t count) {
        Require(count);
        m_offset += count;
    }
    std::size_t Remaining() const {
        return m_offset < m_bytes.size() ? m_bytes.size() - m_offset : 0;
    }
    bool StartsExtended() const {
        return m_bytes.size() >= 4 && m_bytes[0] == 1 && m_bytes[1] == 0 && m_bytes[2] == 0xFF &&
               m_bytes[3] == 0xFF;
    }

private:
    void Require(std::size_t count) const {
        if (m_offset > m_bytes.size() || m_bytes.size() - m_offset < count) {
            throw std::out_of_range("dialog template ends early");
        }
    }

    const std::vector<unsigned char>& m_bytes;
    std::size_t m_offset = 0;
};

DialogControl ReadControl(ByteReader& reader, bool extended) {
    DialogControl control;
    reader.AlignToDword();
    if (extended) {
        control.helpId = reader.Dword();
        control.exStyle = reader.Dword();
        control.style = reader.Dword();
    } else {
        control.style = reader.Dword();
        control.exStyle = reader.Dword();
    }
    control.x = reader.Short();
    control.y = reader.Short();
    control.width = reader.Short();
    control.height = reader.Short();
    control.id = extended ? reader.Dword() : reader.Word();
    control.windowClass = reader.Field();
    control.text = reader.Field();
    control.creationDataSize = reader.Word();
    reader.Skip(control.creationDataSize);
    return control;
}

}  // namespace

DialogTemplate ParseDialogTemplate(const std::vector<unsigned char>& bytes) {
    ByteReader reader(bytes);
    DialogTemplate dialog;
    dialog.extended = reader.StartsExtended();
    if (dialog.extended) {
        reader.Dword();
        dialog.helpId = reader.Dword();
        dialog.exStyle = reader.Dword();
        dialog.style = reader.Dword();
    } else {
        dialog.style = reader.Dword();
        dialog.exStyle = reader.Dword();
    }
    const std::uint16_t controlCount = reader.Word();
    dialog.x = reader.Short();
    dialog.y = reader.Short();
    dialog.width = reader.Short();
    dialog.height = reader.Short();
    dialog.menu = reader.Field();
    dialog.windowClass = reader.Field();
    dialog.caption = reader.Text();
    if ((dialog.style & kDsSetFont) != 0 || (dialog.style & kDsShellFont) == kDsShellFont) {
        dialog.pointSize = reader.Word();
        if (dialog.extended) {
            dialog.weight = reader.Word();
            dialog.italic = reader.Byte();
            dialog.charset = reader.Byte();
        }
        dialog.typeface = reader.Text();
    }
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        dialog.controls.push_back(ReadControl(reader, dialog.extended));
    }
    dialog.trailingBytes = reader.Remaining();
    return dialog;
}
