// CXmlDocument: a tolerant reader of XML (or HTML-like) text files. It reads a
// file into UTF-16, indexes its elements, and lets the caller walk the element
// tree by name and take an element's character data. A malformed document
// still loads; what went wrong is summarised in ResultText().
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One element of the index: eight 32-bit words.
struct ElementRecord {
    std::uint32_t start;       // offset of the element's '<' in the text, in UTF-16 units
    std::uint32_t length;      // through the end of its end tag (start-tag length when empty or not ended)
    std::uint32_t tagLengths;  // start-tag length in bits 0..21, end-tag length in bits 22..31
    std::uint32_t flagsLevel;  // flags in bits 16..31, nesting level (root 0) in bits 0..15
    std::uint32_t parent;
    std::uint32_t firstChild;  // 0: no child elements
    std::uint32_t nextSibling; // 0: last
    std::uint32_t prevSibling; // the first child's points to the last child
};
static_assert(sizeof(ElementRecord) == 32);

// Element flags (in ElementRecord::flagsLevel).
constexpr std::uint32_t kElemFirstChild = 0x80000;
constexpr std::uint32_t kElemEmptyTag = 0x10000;
constexpr std::uint32_t kElemNotEnded = 0x100000;
constexpr std::uint32_t kElemIllFormedContent = 0x200000;
constexpr std::uint32_t kDocNotWellFormed = 0x800000;  // record 0 only

// Document flags.
constexpr std::uint32_t kDocUtf16LE = 0x01;
constexpr std::uint32_t kDocUtf8Bom = 0x04;
constexpr std::uint32_t kDocIgnoreCase = 0x08;
constexpr std::uint32_t kDocReading = 0x10;
constexpr std::uint32_t kDocUtf16BE = 0x80;

class CXmlDocument {
public:
    CXmlDocument();

    // Reads, converts and parses the file. True when it was read and is
    // well-formed (one root element, no parse problem).
    bool LoadFile(const std::u16string& path);
    // The same as LoadFile on a file holding exactly these bytes.
    bool LoadFromMemory(const std::uint8_t* data, std::size_t size);

    void Rewind();
    bool FindChildElement(std::u16string_view name);
    bool EnterElement();
    std::u16string GetChildText() const;

    const std::u16string& ResultText() const { return m_resultText; }
    const std::u16string& Text() const { return m_text; }
    std::uint32_t DocumentFlags() const { return m_docFlags; }

    // The element index, for inspection: index 0 is the document itself.
    std::uint32_t ElementCount() const { return m_nextFree; }
    const ElementRecord& Element(std::uint32_t index) const;
    std::u16string ElementName(std::uint32_t index) const;

private:
    struct Position {
        std::uint32_t parent = 0;
        std::uint32_t current = 0;
        std::uint32_t child = 0;
    };

    std::u16string m_text;
    std::u16string m_resultText;
    Position m_pos;
    std::uint32_t m_nextFree = 1;
    std::uint32_t m_docFlags = 0;
    // Segments of 65,536 records: growth never moves records of full segments.
    std::vector<std::vector<ElementRecord>> m_segments;

    // Start and end tags too long for their packed fields keep their full
    // lengths here, by element index.
    std::unordered_map<std::uint32_t, std::uint32_t> m_longStartTags;
    std::unordered_map<std::uint32_t, std::uint32_t> m_longEndTags;
    std::uint32_t m_room = 0;  // records allocated in m_segments

    class ByteSource;
    class FileSource;
    class MemorySource;

    bool Load(ByteSource& source);
    void Clear(std::u16string resultText);
    bool Parse(std::u16string& note);

    ElementRecord& Rec(std::uint32_t index) { return m_segments[index >> 16][index & 0xFFFF]; }
    const ElementRecord& Rec(std::uint32_t index) const { return m_segments[index >> 16][index & 0xFFFF]; }
    void ResetIndex(std::uint64_t room);
    void AllocateRoom(std::uint64_t room);
    std::uint32_t NewRecord();
    void SetStartTagLength(std::uint32_t index, std::size_t length);
    void SetEndTagLength(std::uint32_t index, std::size_t length);
    std::size_t StartTagLength(std::uint32_t index) const;
    std::size_t EndTagLength(std::uint32_t index) const;
    void EndUnclosed(std::vector<std::uint32_t>& stack, std::size_t keep);
    std::u16string_view NameView(std::uint32_t index) const;
    bool NameMatches(std::uint32_t index, std::u16string_view name) const;
};
