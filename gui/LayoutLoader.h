// CGuiLayoutLoader: reads the define file ("#define NAME value" lines) into the stack's define
// table and builds the element trees, screen layers and actions of the layout XML file (schema
// in content/guifiles/README.md).
#pragma once

#include "engine/Xml.h"
#include "gui/ScreenStack.h"

#include <functional>

class CGuiLayoutLoader {
public:
    explicit CGuiLayoutLoader(CScreenStack& stack) : m_stack(stack) {}

    // Appends every define in file order (duplicates kept: look-ups find the first). False with a
    // log line when the file cannot be read.
    bool ReadDefines(const char* gamePath = "\\guifiles\\guidefines.h");
    // Builds the layers and actions. Unknown element types and names are skipped with a log line
    // naming them and their line. False with a log line when the file is missing.
    bool LoadLayout(const char* gamePath = "guifiles\\GuiXML.xml");
    bool LoadLayoutText(const char* xmlText, const char* nameForLog);
    // Both files from the game folder.
    bool Load() { return ReadDefines() && LoadLayout(); }

    // Where an element without a tooltip attribute gets one (the tooltip file), by element id.
    void SetTooltipSource(std::function<CStr(int32_t)> source) { m_tooltips = std::move(source); }
    int SkippedCount() const { return m_skipped; }
    // Names the layout uses that the define file lacks (elements, scroll targets and actions): the
    // first of them and the line it is on, so a damaged define file can be named at start-up.
    int UnknownNameCount() const { return m_unknownNames; }
    const CStr& FirstUnknownName() const { return m_firstUnknownName; }
    int FirstUnknownNameLine() const { return m_firstUnknownLine; }

private:
    bool BuildLayout(const XmlNode& root, const char* nameForLog);
    std::unique_ptr<CGuiElement> BuildElement(const XmlNode& node, const CGuiElement* parent);
    bool ResolveId(const XmlNode& node, int32_t& id);
    void AddAction(const XmlNode& node);
    void NoteUnknownName(const CStr& name, int line);

    CScreenStack& m_stack;
    std::function<CStr(int32_t)> m_tooltips;
    CStr m_file;
    int m_skipped = 0;
    int m_unknownNames = 0;
    CStr m_firstUnknownName;
    int m_firstUnknownLine = 0;
};

// A colour attribute: "#RRGGBB", "#RRGGBBAA", or a colour word as a number ("0x0000FFFF" is red).
bool ParseGuiColour(const CStr& text, uint32_t& colour);
