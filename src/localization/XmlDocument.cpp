#include "localization/XmlDocument.h"

#include <algorithm>
#include <cstring>

#include "localization/NameTables.h"
#include "platform/BinaryFile.h"
#include "platform/CodePages.h"

namespace {

// The first read: enough for a byte-order mark and an XML declaration or the
// meta element of an HTML head.
constexpr std::size_t kFirstReadSize = 1024;

// Packed-field limits of ElementRecord::tagLengths.
constexpr std::uint32_t kMaxStartTagLength = 0x3FFFFF;
constexpr std::uint32_t kMaxEndTagLength = 0x3FF;
constexpr std::uint32_t kMaxLevel = 0xFFFF;
constexpr std::uint32_t kSegmentSize = 0x10000;

// Not a code page of Windows: the reader converts 32-bit code points itself.
constexpr std::uint32_t kCodePageUtf32 = 65005;

std::u16string Ascii(const char* text) {
    std::u16string out;
    for (; *text; ++text) out += char16_t(static_cast<unsigned char>(*text));
    return out;
}

std::u16string Number(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), char16_t(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

bool IsWhite(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Ends an element, attribute or target name.
bool IsNameEnd(char16_t c) {
    switch (c) {
    case u' ': case u'\t': case u'\n': case u'\r':
    case u'<': case u'>': case u'=': case u'\\': case u'/': case u'?': case u'!': case u'"': case u'\'': case u';':
        return true;
    default:
        return false;
    }
}

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

bool EqualsNoCase(std::u16string_view a, const char* b) {
    const std::size_t length = std::strlen(b);
    if (a.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(char16_t(static_cast<unsigned char>(b[i])))) return false;
    }
    return true;
}

// The name that starts at `from` (after any white space).
std::u16string_view NameAt(std::u16string_view text, std::size_t from) {
    while (from < text.size() && IsWhite(text[from])) ++from;
    std::size_t end = from;
    while (end < text.size() && !IsNameEnd(text[end])) ++end;
    return text.substr(std::min(from, text.size()), end - std::min(from, end));
}

// ---------------------------------------------------------------------------
// Node scanning.

enum class NodeType { End, Text, WhiteSpace, ProcessingInstruction, Comment, CData, DocType, EndTag, StartTag, Malformed };

struct Node {
    NodeType type = NodeType::End;
    std::size_t start = 0;
    std::size_t end = 0;  // one past the node
    bool emptyTag = false;
    // Malformed nodes: the problem ("tag name character") or, for a node cut
    // off by the end of the text, its kind ("Element tag").
    const char* problem = nullptr;
    bool unterminated = false;
};

Node Malformed(Node node, const char* problem, std::size_t end) {
    node.type = NodeType::Malformed;
    node.problem = problem;
    node.end = end;
    return node;
}

Node Unterminated(Node node, const char* kind, std::size_t textEnd) {
    node = Malformed(node, kind, textEnd);
    node.unterminated = true;
    return node;
}

Node Complete(Node node, NodeType type, std::size_t end) {
    node.type = type;
    node.end = end;
    return node;
}

Node ScanStartTag(std::u16string_view t, Node node) {
    const std::size_t p = node.start;
    std::size_t nameEnd = p + 1;
    while (nameEnd < t.size() && !IsNameEnd(t[nameEnd])) ++nameEnd;
    char16_t lastMark = 0;  // the last character that was not white space
    for (std::size_t i = nameEnd; i < t.size(); ++i) {
        const char16_t c = t[i];
        if (c == u'>') {
            node.emptyTag = t[i - 1] == u'/' &&
                            (i - 1 == nameEnd || IsWhite(t[i - 2]) || t[i - 2] == u'"' || t[i - 2] == u'\'');
            return Complete(node, NodeType::StartTag, i + 1);
        }
        if ((c == u'"' || c == u'\'') && lastMark == u'=') {
            // An attribute value: a '>' inside it does not end the tag.
            const std::size_t close = t.find(c, i + 1);
            if (close == std::u16string_view::npos) break;
            i = close;
        }
        if (!IsWhite(c)) lastMark = c;
    }
    return Unterminated(node, "Element tag", t.size());
}

Node ScanDocType(std::u16string_view t, Node node) {
    // Declarations nested in the internal subset have '>'s of their own.
    std::size_t depth = 0;
    for (std::size_t i = node.start + 2; i < t.size(); ++i) {
        if (t[i] == u'<') {
            ++depth;
        } else if (t[i] == u'>') {
            if (depth == 0) return Complete(node, NodeType::DocType, i + 1);
            --depth;
        }
    }
    return Unterminated(node, "Doctype", t.size());
}

// The node that starts at `p`.
Node ScanNode(std::u16string_view t, std::size_t p) {
    Node node;
    node.start = p;
    const std::size_t n = t.size();
    if (p >= n) return Complete(node, NodeType::End, n);
    constexpr std::size_t npos = std::u16string_view::npos;

    if (t[p] != u'<') {
        std::size_t end = t.find(u'<', p);
        if (end == npos) end = n;
        bool white = true;
        for (std::size_t i = p; i < end && white; ++i) white = IsWhite(t[i]);
        return Complete(node, white ? NodeType::WhiteSpace : NodeType::Text, end);
    }
    if (p + 1 >= n) return Unterminated(node, "tag", n);
    const char16_t c = t[p + 1];
    if (c == u'?') {
        const std::size_t close = t.find(u"?>", p + 2);
        if (close == npos) return Unterminated(node, "Processing instruction", n);
        return Complete(node, NodeType::ProcessingInstruction, close + 2);
    }
    if (c == u'!') {
        if (p + 2 >= n) return Unterminated(node, "tag", n);
        const char16_t d = t[p + 2];
        if (d == u'-') {
            if (p + 3 >= n) return Unterminated(node, "tag", n);
            if (t[p + 3] != u'-') return Malformed(node, "comment tag", p + 3);
            const std::size_t close = t.find(u"-->", p + 4);
            if (close == npos) return Unterminated(node, "Comment", n);
            return Complete(node, NodeType::Comment, close + 3);
        }
        if (d == u'[') {
            if (p + 3 >= n) return Unterminated(node, "tag", n);
            if (t[p + 3] != u'C') return Malformed(node, "tag", p + 3);
            const std::size_t close = t.find(u"]]>", p + 3);
            if (close == npos) return Unterminated(node, "CDATA Section", n);
            return Complete(node, NodeType::CData, close + 3);
        }
        if (d == u'D') return ScanDocType(t, node);
        if (d == u'E' || d == u'A' || d == u'N') {
            const std::size_t close = t.find(u'>', p + 2);
            if (close == npos) return Unterminated(node, "Doctype", n);
            return Complete(node, NodeType::DocType, close + 1);
        }
        return Malformed(node, "! tag", p + 2);
    }
    if (c == u'/') {
        const std::size_t close = t.find(u'>', p + 2);
        if (close == npos) return Unterminated(node, "Element end tag", n);
        return Complete(node, NodeType::EndTag, close + 1);
    }
    if (IsAsciiLetter(c) || c == u':' || c == u'_' || c >= 0x7B) return ScanStartTag(t, node);
    return Malformed(node, "tag name character", p + 1);
}

// ---------------------------------------------------------------------------
// Declared encodings.

// The value of attribute `attribute` (any case) of the tag or processing
// instruction `tag`, its attributes starting at `from`.
bool FindAttribute(std::u16string_view tag, std::size_t from, const char* attribute, std::u16string_view& value) {
    std::size_t i = from;
    const std::size_t n = tag.size();
    while (i < n) {
        while (i < n && (IsWhite(tag[i]) || tag[i] == u'/' || tag[i] == u'?')) ++i;
        if (i >= n || tag[i] == u'>') break;
        const std::size_t nameStart = i;
        while (i < n && !IsWhite(tag[i]) && tag[i] != u'=' && tag[i] != u'>' && tag[i] != u'/' && tag[i] != u'?') ++i;
        const std::u16string_view name = tag.substr(nameStart, i - nameStart);
        if (name.empty()) {
            ++i;  // a stray '=' or quote
            continue;
        }
        std::size_t j = i;
        while (j < n && IsWhite(tag[j])) ++j;
        std::u16string_view attributeValue;
        if (j < n && tag[j] == u'=') {
            ++j;
            while (j < n && IsWhite(tag[j])) ++j;
            if (j < n && (tag[j] == u'"' || tag[j] == u'\'')) {
                std::size_t close = tag.find(tag[j], j + 1);
                if (close == std::u16string_view::npos) close = n;
                attributeValue = tag.substr(j + 1, close - (j + 1));
                j = close + 1;
            } else {
                const std::size_t valueStart = j;
                while (j < n && !IsWhite(tag[j]) && tag[j] != u'>' && !(tag[j] == u'?' && j + 1 < n && tag[j + 1] == u'>')) ++j;
                attributeValue = tag.substr(valueStart, j - valueStart);
            }
            i = j;
        }
        if (EqualsNoCase(name, attribute)) {
            value = attributeValue;
            return true;
        }
    }
    return false;
}

// The word after "charset=" in a Content-Type value; empty when there is none.
std::u16string CharsetOf(std::u16string_view content) {
    constexpr std::size_t kWordLength = 7;  // "charset"
    for (std::size_t at = 0; at + kWordLength <= content.size(); ++at) {
        if (!EqualsNoCase(content.substr(at, kWordLength), "charset")) continue;
        std::size_t i = at + kWordLength;
        while (i < content.size() && IsWhite(content[i])) ++i;
        if (i >= content.size() || content[i] != u'=') continue;
        ++i;
        while (i < content.size() && IsWhite(content[i])) ++i;
        const std::size_t start = i;
        while (i < content.size() && !IsWhite(content[i]) && content[i] != u';' && content[i] != u'"' &&
               content[i] != u'\'' && content[i] != u',')
            ++i;
        return std::u16string(content.substr(start, i - start));
    }
    return {};
}

// The encoding that the start of the file declares: the XML declaration, or
// the Content-Type meta element of an HTML head. Empty when none is found.
std::u16string DeclaredEncoding(std::u16string_view text) {
    bool tagSeen = false;
    bool instructionSeen = false;
    bool html = false;
    std::size_t pos = 0;
    while (true) {
        const Node node = ScanNode(text, pos);
        if (node.type == NodeType::End || node.type == NodeType::Malformed) return {};
        const std::u16string_view nodeText = text.substr(node.start, node.end - node.start);
        switch (node.type) {
        case NodeType::ProcessingInstruction:
            if (!instructionSeen && !tagSeen) {
                instructionSeen = true;
                const std::u16string_view target = NameAt(nodeText, 2);
                if (EqualsNoCase(target, "xml")) {
                    std::u16string_view value;
                    const std::size_t afterTarget = std::size_t(target.data() - nodeText.data()) + target.size();
                    if (FindAttribute(nodeText, afterTarget, "encoding", value)) return std::u16string(value);
                    return {};
                }
            }
            break;
        case NodeType::StartTag: {
            const std::u16string_view name = NameAt(nodeText, 1);
            if (!html) {
                if (tagSeen || !EqualsNoCase(name, "html")) return {};
                html = true;
            } else if (EqualsNoCase(name, "meta")) {
                const std::size_t afterName = std::size_t(name.data() - nodeText.data()) + name.size();
                std::u16string_view equiv;
                if (FindAttribute(nodeText, afterName, "http-equiv", equiv) && EqualsNoCase(equiv, "content-type")) {
                    std::u16string_view content;
                    if (!FindAttribute(nodeText, afterName, "content", content)) return {};
                    return CharsetOf(content);
                }
            }
            tagSeen = true;
            break;
        }
        case NodeType::EndTag:
            tagSeen = true;
            if (EqualsNoCase(NameAt(nodeText, 2), "head")) return {};
            break;
        default:
            break;
        }
        pos = node.end;
    }
}

// ---------------------------------------------------------------------------
// Conversions.

// Lenient UTF-8 for the encoding scan only: invalid bytes become U+FFFD.
std::u16string DecodeUtf8(const std::uint8_t* bytes, std::size_t size) {
    std::u16string out;
    out.reserve(size);
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t b = bytes[i];
        std::size_t extra = 0;
        char32_t c = 0;
        if (b < 0x80) { c = b; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
        else { out += u'\uFFFD'; ++i; continue; }
        bool valid = i + extra < size;
        for (std::size_t k = 1; k <= extra && valid; ++k) valid = (bytes[i + k] & 0xC0) == 0x80;
        if (!valid) { out += u'\uFFFD'; ++i; continue; }
        for (std::size_t k = 1; k <= extra; ++k) c = (c << 6) | (bytes[i + k] & 0x3F);
        i += extra + 1;
        if (c >= 0x10000 && c <= 0x10FFFF) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (c < 0x10000) {
            out += char16_t(c);
        } else {
            out += u'\uFFFD';
        }
    }
    return out;
}

// The quick check whether 8-bit text is UTF-8: lead bytes and the number of
// continuation bytes they announce, nothing more.
bool LooksLikeUtf8(const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) continue;
        std::size_t following;
        if ((b & 0x20) == 0) following = 1;
        else if ((b & 0x10) == 0) following = 2;
        else if ((b & 0x08) == 0) following = 3;
        else return false;
        if (bytes.size() - i - 1 < following) return false;
        for (std::size_t k = 1; k <= following; ++k) {
            if ((bytes[i + k] & 0x80) == 0) return false;
        }
        i += following;
    }
    return true;
}

void AppendCodePoint(std::u16string& out, std::uint32_t c) {
    if (c >= 0x10000) {
        out += char16_t(0xD800 + ((c - 0x10000) >> 10));
        out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += char16_t(c);
    }
}

// 32-bit little-endian code points; a value that is no code point becomes
// U+FFFD, a trailing partial unit is dropped, code points 0 are removed.
std::u16string DecodeUtf32(const std::vector<std::uint8_t>& bytes, std::size_t& nulls) {
    std::u16string out;
    out.reserve(bytes.size() / 4);
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        const std::uint32_t c = std::uint32_t(bytes[i]) | (std::uint32_t(bytes[i + 1]) << 8) |
                                (std::uint32_t(bytes[i + 2]) << 16) | (std::uint32_t(bytes[i + 3]) << 24);
        if (c == 0) {
            ++nulls;
            continue;
        }
        AppendCodePoint(out, c > 0x10FFFF ? 0xFFFD : c);
    }
    return out;
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

// The code page of an encoding name: the table, or the ANSI code page for an
// empty or unknown name.
std::uint32_t CodePageOf(std::u16string_view name, std::uint32_t ansi) {
    if (name.empty()) return ansi;
    if (StartsWith(name, u"UTF-32")) return kCodePageUtf32;
    if (name.size() >= 100) return ansi;
    std::u16string lower(name);
    for (char16_t& c : lower) c = LowerAscii(c);
    const std::uint32_t codePage = LookupCodePageName(lower);
    return codePage != 0 ? codePage : ansi;
}

// A system message as ResultText holds it: its first line; empty when the
// message is 100 characters or longer.
std::u16string SystemNote(const std::u16string& message) {
    if (message.size() >= 100) return {};
    const std::size_t end = message.find_first_of(u"\r\n");
    return message.substr(0, end);
}

// Character and entity references; see DecodeReferences below.
std::uint32_t ReferenceValue(std::u16string_view name) {
    if (name.empty()) return 0;
    if (name[0] != u'#') return LookupEntity(name);
    std::uint32_t value = 0;
    if (name.size() > 1 && name[1] == u'x') {
        for (std::size_t i = 2; i < name.size(); ++i) {
            const char16_t c = name[i];
            std::uint32_t digit;
            if (c >= u'0' && c <= u'9') digit = c - u'0';
            else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
            else break;
            value = value * 16 + digit;  // at most 7 digits: no overflow
        }
    } else {
        for (std::size_t i = 1; i < name.size() && name[i] >= u'0' && name[i] <= u'9'; ++i) value = value * 10 + (name[i] - u'0');
    }
    return value;
}

// Replaces "&name;" references by their characters. A name is at most nine
// characters below U+0080 and is compared in lower case; an unknown name, a
// value of 0 or one beyond U+10FFFF leaves the text as it is.
std::u16string DecodeReferences(std::u16string_view text) {
    constexpr std::size_t kMaxName = 9;
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'&') {
            out += c;
            continue;
        }
        char16_t name[kMaxName];
        std::size_t length = 0;
        std::size_t j = i + 1;
        bool closed = false;
        for (; j < text.size(); ++j) {
            const char16_t d = text[j];
            if (d == u';') {
                closed = true;
                break;
            }
            if (d >= 0x80 || length == kMaxName) break;
            name[length++] = LowerAscii(d);
        }
        const std::uint32_t value = closed ? ReferenceValue(std::u16string_view(name, length)) : 0;
        if (value == 0 || value > 0x10FFFF) {
            out += c;
            continue;
        }
        AppendCodePoint(out, value);
        i = j;  // the ';'
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// Byte sources: a file, or bytes in memory that stand for one.

class CXmlDocument::ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual bool Length(std::uint64_t& length) = 0;
    virtual bool Read(std::uint64_t offset, std::uint8_t* into, std::size_t count) = 0;
    // The system's words for the last failure of Length or Read.
    virtual std::u16string ErrorText() const = 0;
};

class CXmlDocument::FileSource : public ByteSource {
public:
    explicit FileSource(const std::u16string& path) : m_file(path) {}
    bool IsOpen() const { return m_file.IsOpen(); }
    bool Length(std::uint64_t& length) override { return m_file.Length(length); }
    bool Read(std::uint64_t offset, std::uint8_t* into, std::size_t count) override {
        return count == 0 || m_file.Read(offset, into, count);
    }
    std::u16string ErrorText() const override { return SystemCodePages().ErrorText(m_file.LastError()); }

private:
    CBinaryFile m_file;
};

class CXmlDocument::MemorySource : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(data != nullptr ? size : 0) {}
    bool Length(std::uint64_t& length) override {
        length = m_size;
        return true;
    }
    bool Read(std::uint64_t offset, std::uint8_t* into, std::size_t count) override {
        if (offset > m_size || count > m_size - offset) return false;
        if (count != 0) std::memcpy(into, m_data + offset, count);
        return true;
    }
    std::u16string ErrorText() const override { return {}; }  // memory cannot fail

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// ---------------------------------------------------------------------------

CXmlDocument::CXmlDocument() : m_resultText(u"Empty document") { ResetIndex(8); }

bool CXmlDocument::LoadFile(const std::u16string& path) {
    m_docFlags = 0;
    FileSource file(path);
    if (!file.IsOpen()) {
        Clear(SystemNote(file.ErrorText()));
        return false;
    }
    m_docFlags |= kDocReading;
    return Load(file);
}

bool CXmlDocument::LoadFromMemory(const std::uint8_t* data, std::size_t size) {
    m_docFlags = kDocReading;
    MemorySource memory(data, size);
    return Load(memory);
}

void CXmlDocument::Clear(std::u16string resultText) {
    m_text.clear();
    m_resultText = std::move(resultText);
    m_docFlags &= ~kDocReading;
    ResetIndex(8);
    m_pos = {};
}

bool CXmlDocument::Load(ByteSource& source) {
    const ICodePages& codePages = SystemCodePages();
    m_text.clear();

    std::uint64_t length = 0;
    std::vector<std::uint8_t> head;
    bool read = source.Length(length);
    if (read) {
        head.resize(std::size_t(std::min<std::uint64_t>(length, kFirstReadSize)));
        read = source.Read(0, head.data(), head.size());
    }
    if (!read) {
        Clear(SystemNote(source.ErrorText()));
        return false;
    }

    // Byte-order marks.
    struct Mark {
        std::uint8_t bytes[3];
        std::size_t size;
        const char16_t* name;
        std::uint32_t flag;
    };
    static const Mark kMarks[] = {
        {{0xEF, 0xBB, 0xBF}, 3, u"UTF-8", kDocUtf8Bom},
        {{0xFF, 0xFE, 0}, 2, u"UTF-16LE", kDocUtf16LE},
        {{0xFE, 0xFF, 0}, 2, u"UTF-16BE", kDocUtf16BE},
    };
    std::u16string encoding;
    std::size_t markSize = 0;
    for (const Mark& mark : kMarks) {
        if (head.size() >= mark.size && std::memcmp(head.data(), mark.bytes, mark.size) == 0) {
            m_docFlags |= mark.flag;
            markSize = mark.size;
            encoding = mark.name;
            break;
        }
    }
    if (markSize == 0) {
        encoding = DeclaredEncoding(DecodeUtf8(head.data(), head.size()));
        if (encoding.empty() && !head.empty() && head[0] == '<') encoding = u"UTF-8";
    }
    std::u16string openNotes;
    if (!encoding.empty()) openNotes = encoding + (markSize != 0 ? u" BOM +" : u"") + u" ";

    // The rest in one read.
    std::u16string readNotes;
    const std::uint64_t remaining = length - markSize;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(remaining));
    read = source.Read(markSize, bytes.data(), bytes.size());
    m_docFlags &= ~kDocReading;
    if (!read) {
        const std::u16string prefix = !openNotes.empty() ? openNotes : encoding.empty() ? u"ANSI " : encoding + u" ";
        Clear(prefix + SystemNote(source.ErrorText()));
        return false;
    }

    if (bytes.empty()) {
        readNotes = u"0 length ";
    } else if (m_docFlags & (kDocUtf16LE | kDocUtf16BE)) {
        const std::size_t units = bytes.size() / 2;
        readNotes = u"length " + Number(units) + u" ";
        m_text.reserve(bytes.size() / 2 + bytes.size() / 200);
        std::size_t nulls = 0;
        for (std::size_t i = 0; i < units; ++i) {
            const char16_t unit = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            if (unit == 0) ++nulls;
            else m_text += unit;
        }
        if (nulls != 0) readNotes += u"(" + Number(nulls) + u" nulls removed) ";
        if (m_docFlags & kDocUtf16BE) {
            for (char16_t& unit : m_text) unit = char16_t((unit >> 8) | (unit << 8));
            readNotes += u"endian swap ";
        }
    } else {
        readNotes = u"length " + Number(bytes.size()) + u" ";
        std::size_t nulls = 0;
        if (CodePageOf(encoding, 0) == kCodePageUtf32) {
            // Zero bytes belong to the code points here: only code points 0 go.
            m_text = DecodeUtf32(bytes, nulls);
            if (nulls != 0) readNotes += u"(" + Number(nulls) + u" nulls removed) ";
        } else {
            const auto kept = std::remove(bytes.begin(), bytes.end(), std::uint8_t(0));
            nulls = std::size_t(bytes.end() - kept);
            bytes.erase(kept, bytes.end());
            if (nulls != 0) readNotes += u"(" + Number(nulls) + u" nulls removed) ";
            if (encoding.empty()) {
                if (LooksLikeUtf8(bytes)) encoding = u"UTF-8";
                readNotes += u"(used UTF-8 detection) ";
            }
            const std::uint32_t ansi = codePages.AnsiCodePage();
            const std::uint32_t codePage = CodePageOf(encoding, ansi);
            // A code page the system cannot convert is taken like an unknown name.
            if (!codePages.ToUtf16(codePage, bytes.data(), bytes.size(), m_text) && codePage != ansi) {
                codePages.ToUtf16(ansi, bytes.data(), bytes.size(), m_text);
            }
        }
        readNotes += u"to " + Number(m_text.size()) + u" wide chars ";
    }

    m_resultText = (!openNotes.empty() ? openNotes : encoding.empty() ? u"ANSI " : encoding + u" ") + readNotes;
    std::u16string note;
    const bool wellFormed = Parse(note);
    if (!note.empty()) m_resultText += u" " + note;
    return wellFormed;
}

// ---------------------------------------------------------------------------
// The element index.

void CXmlDocument::ResetIndex(std::uint64_t room) {
    m_segments.clear();
    m_room = 0;
    m_longStartTags.clear();
    m_longEndTags.clear();
    AllocateRoom(std::max<std::uint64_t>(room, 1));
    m_nextFree = 1;
    Rec(0) = ElementRecord{};
}

void CXmlDocument::AllocateRoom(std::uint64_t room) {
    room = std::min<std::uint64_t>(room, 0xFFFFFFFFu);
    const std::size_t segments = std::size_t((room + kSegmentSize - 1) / kSegmentSize);
    for (std::size_t s = 0; s < segments; ++s) {
        const std::size_t want = std::size_t(std::min<std::uint64_t>(kSegmentSize, room - std::uint64_t(s) * kSegmentSize));
        if (s < m_segments.size()) {
            // Only the last segment can be short; full ones never move.
            if (m_segments[s].size() < want) m_segments[s].resize(want);
        } else {
            m_segments.emplace_back(want);
        }
    }
    m_room = std::uint32_t(room);
}

std::uint32_t CXmlDocument::NewRecord() {
    if (m_nextFree >= m_room) AllocateRoom(std::max<std::uint64_t>(std::uint64_t(m_room) + 1, std::uint64_t(m_nextFree) * 3 / 2));
    const std::uint32_t index = m_nextFree++;
    Rec(index) = ElementRecord{};
    return index;
}

void CXmlDocument::SetStartTagLength(std::uint32_t index, std::size_t length) {
    ElementRecord& r = Rec(index);
    if (length >= kMaxStartTagLength) m_longStartTags[index] = std::uint32_t(length);
    r.tagLengths = (r.tagLengths & ~kMaxStartTagLength) | std::uint32_t(std::min<std::size_t>(length, kMaxStartTagLength));
}

void CXmlDocument::SetEndTagLength(std::uint32_t index, std::size_t length) {
    ElementRecord& r = Rec(index);
    if (length >= kMaxEndTagLength) m_longEndTags[index] = std::uint32_t(length);
    r.tagLengths = (r.tagLengths & kMaxStartTagLength) | (std::uint32_t(std::min<std::size_t>(length, kMaxEndTagLength)) << 22);
}

std::size_t CXmlDocument::StartTagLength(std::uint32_t index) const {
    const std::uint32_t packed = Rec(index).tagLengths & kMaxStartTagLength;
    if (packed < kMaxStartTagLength) return packed;
    const auto found = m_longStartTags.find(index);
    return found != m_longStartTags.end() ? found->second : packed;
}

std::size_t CXmlDocument::EndTagLength(std::uint32_t index) const {
    const std::uint32_t packed = Rec(index).tagLengths >> 22;
    if (packed < kMaxEndTagLength) return packed;
    const auto found = m_longEndTags.find(index);
    return found != m_longEndTags.end() ? found->second : packed;
}

const ElementRecord& CXmlDocument::Element(std::uint32_t index) const {
    static const ElementRecord kNone{};
    return index < m_nextFree ? Rec(index) : kNone;
}

std::u16string_view CXmlDocument::NameView(std::uint32_t index) const {
    if (index == 0 || index >= m_nextFree) return {};
    const std::size_t start = Rec(index).start;
    if (start >= m_text.size()) return {};
    return NameAt(m_text, start + 1);
}

std::u16string CXmlDocument::ElementName(std::uint32_t index) const { return std::u16string(NameView(index)); }

// Ends every open element above stack[keep] where its start tag ends and moves
// its child elements up, in order, to follow it as siblings. Each of them is
// the last child of its parent, so the result is that stack[keep] gets, after
// its own children, each ended element followed by its former children.
void CXmlDocument::EndUnclosed(std::vector<std::uint32_t>& stack, std::size_t keep) {
    const std::uint32_t outer = stack[keep];
    const std::uint32_t childLevel = outer == 0 ? 0 : std::min(kMaxLevel, (Rec(outer).flagsLevel & 0xFFFF) + 1);
    for (std::size_t j = keep + 1; j < stack.size(); ++j) {
        const std::uint32_t element = stack[j];
        ElementRecord& e = Rec(element);
        e.length = std::uint32_t(StartTagLength(element));
        e.flagsLevel |= kElemNotEnded;
        const std::uint32_t first = e.firstChild;
        if (first == 0) continue;
        const std::uint32_t next = j + 1 < stack.size() ? stack[j + 1] : 0;  // moved on in the next round
        std::uint32_t last = 0;
        for (std::uint32_t child = first; child != 0; child = Rec(child).nextSibling) {
            ElementRecord& c = Rec(child);
            const std::uint32_t oldLevel = c.flagsLevel & 0xFFFF;
            c.parent = outer;
            c.flagsLevel = ((c.flagsLevel & ~0xFFFFu) & ~kElemFirstChild) | childLevel;
            if (child != next && oldLevel > childLevel) {
                // The descendants move up by as many levels.
                const std::uint32_t delta = oldLevel - childLevel;
                std::vector<std::uint32_t> pending;
                if (c.firstChild != 0) pending.push_back(c.firstChild);
                while (!pending.empty()) {
                    std::uint32_t d = pending.back();
                    pending.pop_back();
                    for (; d != 0; d = Rec(d).nextSibling) {
                        ElementRecord& r = Rec(d);
                        const std::uint32_t level = r.flagsLevel & 0xFFFF;
                        r.flagsLevel = (r.flagsLevel & ~0xFFFFu) | (level > delta ? level - delta : 0);
                        if (r.firstChild != 0) pending.push_back(r.firstChild);
                    }
                }
            }
            last = child;
        }
        // Splice the children after `element`, the last child of `outer`.
        ElementRecord& o = Rec(outer);
        e.nextSibling = first;
        Rec(first).prevSibling = element;
        Rec(o.firstChild).prevSibling = last;
        e.firstChild = 0;
    }
    stack.resize(keep + 1);
}

bool CXmlDocument::Parse(std::u16string& note) {
    ResetIndex(m_text.size() / 64 + 8);
    m_pos = {};
    bool problem = false;
    std::vector<std::uint32_t> stack{0};
    const std::u16string_view text = m_text;

    auto report = [&](const std::u16string& problemNote) {
        Rec(0).flagsLevel |= kDocNotWellFormed;
        if (!problem) note = problemNote;
        problem = true;
    };
    auto offset = [&](std::uint32_t index) { return Number(Rec(index).start); };

    for (std::size_t pos = 0;;) {
        const Node node = ScanNode(text, pos);
        if (node.type == NodeType::End) break;
        pos = node.end;
        switch (node.type) {
        case NodeType::StartTag: {
            const std::uint32_t parent = stack.back();
            const std::uint32_t index = NewRecord();
            ElementRecord& r = Rec(index);
            r.start = std::uint32_t(node.start);
            SetStartTagLength(index, node.end - node.start);
            r.flagsLevel = std::uint32_t(std::min<std::size_t>(stack.size() - 1, kMaxLevel));
            r.parent = parent;
            ElementRecord& p = Rec(parent);
            if (p.firstChild == 0) {
                p.firstChild = index;
                r.prevSibling = index;
                r.flagsLevel |= kElemFirstChild;
            } else {
                ElementRecord& first = Rec(p.firstChild);
                const std::uint32_t last = first.prevSibling;
                Rec(last).nextSibling = index;
                r.prevSibling = last;
                first.prevSibling = index;
            }
            if (node.emptyTag) {
                r.length = std::uint32_t(node.end - node.start);
                r.flagsLevel |= kElemEmptyTag;
            } else {
                stack.push_back(index);
            }
            break;
        }
        case NodeType::EndTag: {
            const std::u16string_view name = NameAt(text.substr(0, node.end), node.start + 2);
            std::size_t match = stack.size();
            for (std::size_t j = stack.size(); j-- > 1;) {
                if (NameView(stack[j]) == name) {
                    match = j;
                    break;
                }
            }
            if (match == stack.size()) {
                report(u"No start tag for end tag '" + std::u16string(name) + u"' at offset " + Number(node.start));
                Rec(stack.back()).flagsLevel |= kElemIllFormedContent;
                break;
            }
            if (match != stack.size() - 1) {
                report(u"End tag '" + std::u16string(name) + u"' at offset " + Number(node.start) + u" does not match start tag '" +
                       std::u16string(NameView(stack.back())) + u"' at offset " + offset(stack.back()));
                EndUnclosed(stack, match);
            }
            const std::uint32_t element = stack.back();
            Rec(element).length = std::uint32_t(node.end - Rec(element).start);
            SetEndTagLength(element, node.end - node.start);
            stack.pop_back();
            break;
        }
        case NodeType::Malformed:
            if (node.unterminated) {
                report(Ascii(node.problem) + u" at offset " + Number(node.start) + u" unterminated");
            } else {
                report(u"Incorrect " + Ascii(node.problem) + u" at offset " + Number(node.start));
            }
            Rec(stack.back()).flagsLevel |= kElemIllFormedContent;
            break;
        default:
            break;
        }
    }
    if (stack.size() > 1) {
        report(u"Element '" + std::u16string(NameView(stack.back())) + u"' at offset " + offset(stack.back()) + u" not ended");
        EndUnclosed(stack, 0);
    }

    ElementRecord& document = Rec(0);
    document.length = std::uint32_t(m_text.size());
    const std::uint32_t root = document.firstChild;
    bool wellFormed = !problem;
    const char16_t* final = nullptr;
    if (m_text.empty()) final = u"Empty document";
    else if (root == 0) final = u"No root element";
    else if (Rec(root).nextSibling != 0) final = u"Root element has sibling";
    if (final != nullptr) {
        note = final;
        wellFormed = false;
        document.flagsLevel |= kDocNotWellFormed;
    }
    return wellFormed;
}

// ---------------------------------------------------------------------------
// Navigation.

bool CXmlDocument::NameMatches(std::uint32_t index, std::u16string_view name) const {
    if (name.empty()) return true;
    const std::u16string_view own = NameView(index);
    if (name.size() < own.size() || name.substr(0, own.size()) != own) return false;
    if (name.size() == own.size()) return true;
    const char16_t next = name[own.size()];
    return next == u' ' || next == u'=' || next == u'/' || next == u'[' || next == u']';
}

void CXmlDocument::Rewind() { m_pos = {}; }

bool CXmlDocument::FindChildElement(std::u16string_view name) {
    if (m_pos.current == 0) {
        m_pos.current = Rec(m_pos.parent).firstChild;
        if (m_pos.current == 0) return false;
    }
    std::uint32_t child = m_pos.child != 0 ? Rec(m_pos.child).nextSibling : Rec(m_pos.current).firstChild;
    for (; child != 0; child = Rec(child).nextSibling) {
        if (NameMatches(child, name)) {
            m_pos.child = child;
            m_pos.parent = Rec(m_pos.current).parent;
            return true;
        }
    }
    return false;
}

bool CXmlDocument::EnterElement() {
    if (m_pos.current == 0) return false;
    m_pos.parent = m_pos.current;
    m_pos.current = m_pos.child;
    m_pos.child = 0;
    return true;
}

std::u16string CXmlDocument::GetChildText() const {
    if (m_pos.child == 0) return {};
    const std::uint32_t index = m_pos.child;
    const ElementRecord& r = Rec(index);
    if (r.firstChild != 0 || (r.flagsLevel & (kElemEmptyTag | kElemNotEnded)) != 0) return {};
    const std::size_t begin = std::size_t(r.start) + StartTagLength(index);
    const std::size_t end = std::size_t(r.start) + r.length;
    const std::size_t endTag = EndTagLength(index);
    if (end > m_text.size() || endTag > end || begin >= end - endTag) return {};
    const std::u16string_view content = std::u16string_view(m_text).substr(begin, end - endTag - begin);
    if (content.find(u'<') == std::u16string_view::npos) return DecodeReferences(content);

    std::u16string out;
    for (std::size_t pos = 0;;) {
        const Node node = ScanNode(content, pos);
        if (node.type == NodeType::End) break;
        pos = node.end;
        if (node.type == NodeType::Text) {
            out += DecodeReferences(content.substr(node.start, node.end - node.start));
        } else if (node.type == NodeType::CData) {
            // "<![CDATA[" ... "]]>"
            const std::size_t innerBegin = std::min(node.start + 9, node.end - 3);
            out += content.substr(innerBegin, node.end - 3 - innerBegin);
        }
    }
    return out;
}
