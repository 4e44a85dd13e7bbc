#pragma once

#include <cstddef>

// The bounds an XML text must keep before the parser sees it. The parser descends recursively,
// one level per open element, and allocates a node per element and attribute, so a hostile file
// could exhaust the stack or the memory. Real configuration stores nest a few levels deep.
constexpr int kMaxXmlDepth = 32;
constexpr std::size_t kMaxXmlNodes = 1000000;

// Whether `text` (NUL-terminated, no NUL within its `size` bytes) keeps the bounds. The walk
// accepts only a plain subset of XML (elements, quoted attributes, text, comments, CDATA,
// processing instructions; no DOCTYPE) whose markup it splits exactly as the parser does, so the
// depth and count it finds are those the parser will reach; anything else is refused.
bool IsPlainXml(const char* text, std::size_t size);
