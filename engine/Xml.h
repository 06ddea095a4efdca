// XmlNode: a handle to a node of a parsed XML document. Handles share the document, so a node
// stays valid while any handle to its document lives. Tag and attribute names match without
// regard to case; an empty node stands for an absent one and every query on it is empty.
#pragma once

#include "engine/Str.h"

#include <memory>

struct XmlDocument;

// Where and why a file failed to open or parse, for a start-up sentence that names it.
struct XmlOpenFailure {
    CStr file;   // the game path it was opened by
    CStr reason; // empty when the file could not be read at all
    int line = 0;
    int column = 0;
};

class XmlNode {
public:
    XmlNode() = default;

    // Parses the whole file and returns its first element named rootTag (depth-first; the
    // document's top element itself counts). A file that cannot be read or does not parse gives an
    // empty node: the "XML Parsing error" text goes to the log and is kept as the last failure, so
    // the shell can show it and end the game when it happens at start-up.
    static XmlNode OpenFile(const char* gamePath, const char* rootTag);
    // How many files failed to open or parse so far, and the text of the last one. Any thread.
    static int OpenFailures();
    static CStr LastOpenFailure();
    static XmlOpenFailure LastOpenFailureDetail();
    // Parses text; an empty node when it does not parse (reason in error when given).
    static XmlNode Parse(const char* text, const char* rootTag, CStr* error = nullptr);

    bool IsEmpty() const { return m_node == nullptr; }
    explicit operator bool() const { return !IsEmpty(); }

    CStr TagName() const;
    // The index-th child with the tag (0 = first); empty when absent.
    XmlNode ChildNode(const char* tag, int index = 0) const;
    XmlNode ChildNodeAt(const char* tag, int index) const { return ChildNode(tag, index); }
    // The child element at a position, whatever its tag.
    XmlNode ChildAt(int position) const;
    // Number of child elements with the tag.
    int ChildCount(const char* tag) const;
    // Number of child elements of any tag; 0 for an empty node.
    int CountChildren() const;
    // The index-th attribute with that name; empty when absent.
    CStr Attribute(const char* name, int index = 0) const;
    bool HasAttribute(const char* name) const;
    // The index-th text (character data) of the element; empty when absent.
    CStr Text(int index = 0) const;
    // Text of the first child with the tag, a common shape in descriptor files.
    CStr ChildText(const char* tag) const { return ChildNode(tag).Text(); }
    // Line of this node in its source file (1-based), 0 when unknown.
    int SourceLine() const;

private:
    XmlNode(std::shared_ptr<XmlDocument> document, void* node)
        : m_document(std::move(document)), m_node(node) {}

    std::shared_ptr<XmlDocument> m_document;
    void* m_node = nullptr; // pugi::xml_node_struct*
};

// The "XML Parsing error" box text for a failure at a byte offset of a file's text.
CStr FormatXmlParseError(const char* fileName, const char* reason, const std::string& source, long offset);
