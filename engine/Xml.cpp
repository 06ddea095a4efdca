// XmlNode over pugixml with case-insensitive names and shared documents.
#include "engine/Xml.h"

#include "engine/Log.h"
#include "engine/Paths.h"

#include <atomic>
#include <mutex>
#include <pugixml.hpp>

struct XmlDocument {
    pugi::xml_document doc;
    std::string source; // kept to map a node's offset back to its line
};

static pugi::xml_node AsNode(void* p) {
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(p));
}

static pugi::xml_node FindFirst(pugi::xml_node node, const char* tag) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (EqualsNoCase(child.name(), tag))
            return child;
        pugi::xml_node found = FindFirst(child, tag);
        if (found)
            return found;
    }
    return pugi::xml_node();
}

static void LineAndColumn(const std::string& source, long offset, int& line, int& column, std::string& text) {
    line = 1;
    column = 1;
    long lineStart = 0;
    for (long i = 0; i < offset && i < static_cast<long>(source.size()); ++i) {
        if (source[static_cast<size_t>(i)] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    column = static_cast<int>(offset - lineStart) + 1;
    size_t end = source.find('\n', static_cast<size_t>(lineStart));
    if (end == std::string::npos)
        end = source.size();
    text = source.substr(static_cast<size_t>(lineStart), end - static_cast<size_t>(lineStart));
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
}

namespace {
std::atomic<int> g_failures{0};
std::mutex g_failureMutex;
CStr g_lastFailure;
XmlOpenFailure g_lastFailureDetail;
} // namespace

CStr FormatXmlParseError(const char* fileName, const char* reason, const std::string& source, long offset) {
    int line = 0, column = 0;
    std::string sourceLine;
    LineAndColumn(source, offset, line, column, sourceLine);
    std::string caret(static_cast<size_t>(column > 1 ? column - 1 : 0), ' ');
    caret += "^";
    CStr text;
    text.Format("XML Parsing error inside file '%s'.\n%s\nAt line %i, column %i.\n%s%s%s", fileName, reason,
                line, column, sourceLine.c_str(), "\n", caret.c_str());
    return text;
}

XmlNode XmlNode::OpenFile(const char* gamePath, const char* rootTag) {
    auto document = std::make_shared<XmlDocument>();
    CStr reason;
    long offset = 0;
    XmlOpenFailure detail;
    detail.file = gamePath;
    if (!ReadWholeFile(gamePath, document->source)) {
        reason = "The file could not be opened.";
    } else {
        pugi::xml_parse_result result = document->doc.load_buffer(
            document->source.data(), document->source.size(), pugi::parse_default, pugi::encoding_auto);
        if (result) {
            pugi::xml_node found = FindFirst(document->doc, rootTag);
            return found ? XmlNode(document, found.internal_object()) : XmlNode();
        }
        reason = result.description();
        offset = static_cast<long>(result.offset);
        detail.reason = reason;
        std::string sourceLine;
        LineAndColumn(document->source, offset, detail.line, detail.column, sourceLine);
    }
    CStr text = FormatXmlParseError(gamePath, reason.GetText(), document->source, offset);
    QuorelLog("%s", text.GetText());
    {
        std::lock_guard<std::mutex> lock(g_failureMutex);
        g_lastFailure = text;
        g_lastFailureDetail = detail;
    }
    g_failures.fetch_add(1);
    return XmlNode();
}

int XmlNode::OpenFailures() {
    return g_failures.load();
}

CStr XmlNode::LastOpenFailure() {
    std::lock_guard<std::mutex> lock(g_failureMutex);
    return g_lastFailure;
}

XmlOpenFailure XmlNode::LastOpenFailureDetail() {
    std::lock_guard<std::mutex> lock(g_failureMutex);
    return g_lastFailureDetail;
}

XmlNode XmlNode::Parse(const char* text, const char* rootTag, CStr* error) {
    auto document = std::make_shared<XmlDocument>();
    document->source = text ? text : "";
    pugi::xml_parse_result result =
        document->doc.load_buffer(document->source.data(), document->source.size());
    if (!result) {
        if (error)
            *error = FormatXmlParseError("(text)", result.description(), document->source,
                                         static_cast<long>(result.offset));
        return XmlNode();
    }
    pugi::xml_node found = FindFirst(document->doc, rootTag);
    return found ? XmlNode(document, found.internal_object()) : XmlNode();
}

CStr XmlNode::TagName() const {
    return m_node ? CStr(AsNode(m_node).name()) : CStr();
}

XmlNode XmlNode::ChildNode(const char* tag, int index) const {
    if (!m_node || index < 0)
        return XmlNode();
    for (pugi::xml_node child : AsNode(m_node).children()) {
        if (child.type() == pugi::node_element && EqualsNoCase(child.name(), tag) && index-- == 0)
            return XmlNode(m_document, child.internal_object());
    }
    return XmlNode();
}

XmlNode XmlNode::ChildAt(int position) const {
    if (!m_node || position < 0)
        return XmlNode();
    for (pugi::xml_node child : AsNode(m_node).children()) {
        if (child.type() == pugi::node_element && position-- == 0)
            return XmlNode(m_document, child.internal_object());
    }
    return XmlNode();
}

int XmlNode::ChildCount(const char* tag) const {
    int count = 0;
    if (m_node)
        for (pugi::xml_node child : AsNode(m_node).children())
            if (child.type() == pugi::node_element && EqualsNoCase(child.name(), tag))
                ++count;
    return count;
}

int XmlNode::CountChildren() const {
    int count = 0;
    if (m_node)
        for (pugi::xml_node child : AsNode(m_node).children())
            if (child.type() == pugi::node_element)
                ++count;
    return count;
}

CStr XmlNode::Attribute(const char* name, int index) const {
    if (!m_node || index < 0)
        return CStr();
    for (pugi::xml_attribute attribute : AsNode(m_node).attributes())
        if (EqualsNoCase(attribute.name(), name) && index-- == 0)
            return CStr(attribute.value());
    return CStr();
}

bool XmlNode::HasAttribute(const char* name) const {
    if (m_node)
        for (pugi::xml_attribute attribute : AsNode(m_node).attributes())
            if (EqualsNoCase(attribute.name(), name))
                return true;
    return false;
}

CStr XmlNode::Text(int index) const {
    if (!m_node || index < 0)
        return CStr();
    for (pugi::xml_node child : AsNode(m_node).children())
        if ((child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) && index-- == 0)
            return CStr(child.value());
    return CStr();
}

int XmlNode::SourceLine() const {
    if (!m_node || !m_document)
        return 0;
    ptrdiff_t offset = AsNode(m_node).offset_debug();
    if (offset < 0)
        return 0;
    int line = 1;
    for (ptrdiff_t i = 0; i < offset && i < static_cast<ptrdiff_t>(m_document->source.size()); ++i)
        if (m_document->source[static_cast<size_t>(i)] == '\n')
            ++line;
    return line;
}
