#include "ivi/PlainXml.h"

#include <cstring>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A strict subset of the characters the parser takes into names, so a name ends here exactly
// where it ends for the parser, or the text is refused.
bool IsNameChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= '0' && byte <= '9') || byte == '_' || byte == ':' || byte == '-' ||
           byte == '.' || byte >= 0x80;
}

class Walk {
public:
    Walk(const char* text, std::size_t size) : m_at(text), m_end(text + size) {}

    bool Run() {
        while (const char* open = Find("<", m_at)) {
            m_at = open;
            if (!Markup()) return false;
        }
        return true;
    }

private:
    bool Markup() {
        if (Starts("<?")) return SkipPast("?>", 2);
        if (Starts("<!--")) return SkipPast("-->", 4);
        if (Starts("<![CDATA[")) return SkipPast("]]>", 9);
        if (Starts("<!")) return false;  // DOCTYPE and declarations: never processed
        if (Starts("</")) {
            m_at += 2;
            SkipName();
            SkipSpace();
            if (!Take('>') || m_depth == 0) return false;
            --m_depth;
            return true;
        }
        ++m_at;
        if (!SkipName() || !Counted()) return false;
        for (;;) {
            const bool spaced = SkipSpace();
            if (Take('>')) return ++m_depth <= kMaxXmlDepth;
            if (Starts("/>")) {
                m_at += 2;
                return true;
            }
            if (!spaced || !SkipName() || !Counted()) return false;
            SkipSpace();
            if (!Take('=')) return false;
            SkipSpace();
            if (m_at == m_end || (*m_at != '"' && *m_at != '\'')) return false;
            const char quote[] = {*m_at, '\0'};
            const char* close = Find(quote, m_at + 1);
            if (!close) return false;
            m_at = close + 1;
        }
    }

    const char* Find(const char* what, const char* from) const {
        const std::size_t length = std::strlen(what);
        for (const char* at = from; static_cast<std::size_t>(m_end - at) >= length; ++at) {
            if (std::memcmp(at, what, length) == 0) return at;
        }
        return nullptr;
    }
    bool Starts(const char* what) const {
        const std::size_t length = std::strlen(what);
        return static_cast<std::size_t>(m_end - m_at) >= length &&
               std::memcmp(m_at, what, length) == 0;
    }
    bool SkipPast(const char* end, std::size_t opening) {
        const char* found = Find(end, m_at + opening);
        if (!found) return false;
        m_at = found + std::strlen(end);
        return true;
    }
    bool SkipName() {
        const char* start = m_at;
        while (m_at != m_end && IsNameChar(*m_at)) ++m_at;
        return m_at != start;
    }
    bool SkipSpace() {
        const char* start = m_at;
        while (m_at != m_end && IsSpace(*m_at)) ++m_at;
        return m_at != start;
    }
    bool Take(char c) {
        if (m_at == m_end || *m_at != c) return false;
        ++m_at;
        return true;
    }
    bool Counted() { return ++m_nodes <= kMaxXmlNodes; }

    const char* m_at;
    const char* m_end;
    int m_depth = 0;
    std::size_t m_nodes = 0;
};

}  // namespace

bool IsPlainXml(const char* text, std::size_t size) {
    if (std::memchr(text, '\0', size)) return false;
    return Walk(text, size).Run();
}
