#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <boost/property_tree/detail/rapidxml.hpp>

#include "ivi/IviStore.h"
#include "ivi/PlainXml.h"

namespace xml = boost::property_tree::detail::rapidxml;

namespace {

using Node = xml::xml_node<char>;

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 after its mark as UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is
// dropped.
std::string Utf8FromUtf16(const std::string& bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = (bytes.size() - 2) / 2;
    auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[2 + 2 * i]);
        const auto second = static_cast<unsigned char>(bytes[3 + 2 * i]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned long code = static_cast<unsigned long>(unit(i));
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < units) {
            const unsigned long low = static_cast<unsigned long>(unit(i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, code >= 0xD800 && code < 0xE000 ? 0xFFFD : code);
    }
    return out;
}

// The file's text as UTF-8 without a mark.
std::string DecodedText(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        return Utf8FromUtf16(bytes, false);
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        return Utf8FromUtf16(bytes, true);
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    return bytes;
}

std::string ChildText(const Node& node, const char* name) {
    const Node* child = node.first_node(name);
    return child ? std::string(child->value(), child->value_size()) : std::string();
}

std::string Attribute(const Node& node, const char* name) {
    const auto* attribute = node.first_attribute(name);
    return attribute ? std::string(attribute->value(), attribute->value_size()) : std::string();
}

// The position that the `idref` of `node`'s child `name` refers to, or -1.
int Referenced(const Node& node, const char* name,
               const std::unordered_map<std::string, int>& positions) {
    const Node* reference = node.first_node(name);
    if (!reference) return -1;
    const auto found = positions.find(Attribute(*reference, "idref"));
    return found == positions.end() ? -1 : found->second;
}

// Each element named `name` in the collection `collection` of the root, in order, with its id.
template <typename Visit>
void ForEachElement(const Node& root, const char* collection, const char* name, Visit visit) {
    const Node* holder = root.first_node(collection);
    if (!holder) return;
    for (const Node* node = holder->first_node(name); node; node = node->next_sibling(name)) {
        visit(*node, Attribute(*node, "id"));
    }
}

IviStore StoreOf(const Node& root) {
    IviStore store;
    std::unordered_map<std::string, int> modulePositions;
    std::unordered_map<std::string, int> sessionPositions;
    ForEachElement(
        root, "SoftwareModules", "IviSoftwareModule", [&](const Node& node, const std::string& id) {
            modulePositions.emplace(id, static_cast<int>(store.modules.size()));
            store.modules.push_back({ChildText(node, "Name"), ChildText(node, "ModulePath"),
                                     ChildText(node, "ModulePath64"), ChildText(node, "ProgID")});
        });
    ForEachElement(
        root, "DriverSessions", "IviDriverSession", [&](const Node& node, const std::string& id) {
            sessionPositions.emplace(id, static_cast<int>(store.sessions.size()));
            store.sessions.push_back({ChildText(node, "Name"),
                                      Referenced(node, "IviSoftwareModuleRef", modulePositions),
                                      ChildText(node, "SoftwareModuleName")});
        });
    ForEachElement(
        root, "LogicalNames", "IviLogicalName", [&](const Node& node, const std::string&) {
            store.logicalNames.push_back(
                {ChildText(node, "Name"), Referenced(node, "IviDriverSession", sessionPositions)});
        });
    return store;
}

}  // namespace

IviStoreReading ReadIviStore(const std::string& bytes) {
    IviStoreReading reading;
    std::string text = DecodedText(bytes);
    if (!IsPlainXml(text.data(), text.size())) {
        reading.failure = "is not XML that Calvorn reads";
        return reading;
    }
    // The parser writes into the text it parses and stops at a NUL.
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    // The document holds a pool of its own too large for a thread's stack.
    auto document = std::make_unique<xml::xml_document<char>>();
    try {
        document->parse<xml::parse_no_data_nodes>(buffer.data());
    } catch (const xml::parse_error& error) {
        reading.failure = std::string("is not well-formed XML (") + error.what() + ")";
        return reading;
    }
    const Node* root = document->first_node("IviConfigStore");
    if (!root) {
        reading.failure = "is not an IVI configuration store";
        return reading;
    }
    reading.store = StoreOf(*root);
    reading.read = true;
    return reading;
}
