// Placeholder until the reader lands: an empty document that loads nothing.
#include "localization/XmlDocument.h"

CXmlDocument::CXmlDocument() : m_resultText(u"Empty document"), m_segments(1, std::vector<ElementRecord>(8)) {}
bool CXmlDocument::LoadFile(const std::u16string&) { return false; }
bool CXmlDocument::LoadFromMemory(const std::uint8_t*, std::size_t) { return false; }
void CXmlDocument::Rewind() { m_pos = {}; }
bool CXmlDocument::FindChildElement(std::u16string_view) { return false; }
bool CXmlDocument::EnterElement() { return false; }
std::u16string CXmlDocument::GetChildText() const { return {}; }
const ElementRecord& CXmlDocument::Element(std::uint32_t index) const { return m_segments[index >> 16][index & 0xFFFF]; }
std::u16string CXmlDocument::ElementName(std::uint32_t) const { return {}; }
