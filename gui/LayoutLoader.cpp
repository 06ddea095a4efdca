// CGuiLayoutLoader: define file and layout XML.
#include "gui/LayoutLoader.h"

#include "engine/Log.h"
#include "engine/Paths.h"
#include "gui/AnimButton.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/ComboBox.h"
#include "gui/EditBox.h"
#include "gui/Grid.h"
#include "gui/ListBox.h"
#include "gui/ProgressBar.h"
#include "gui/ScrollBar.h"
#include "gui/StaticText.h"
#include "gui/TextBox.h"
#include "gui/Window.h"

#include <cctype>
#include <cstdlib>

namespace {

bool ParseInt(const CStr& text, int& value) {
    std::string s = text.Std();
    size_t start = s.find_first_not_of(" \t");
    if (start == std::string::npos)
        return false;
    const char* begin = s.c_str() + start;
    char* end = nullptr;
    bool hex = s.compare(start, 2, "0x") == 0 || s.compare(start, 2, "0X") == 0;
    long long v = std::strtoll(begin, &end, hex ? 16 : 10);
    if (end == begin)
        return false;
    value = static_cast<int>(static_cast<uint32_t>(v));
    return true;
}

int IntAttr(const XmlNode& node, const char* name, int fallback) {
    int value = fallback;
    if (node.HasAttribute(name) && !ParseInt(node.Attribute(name), value))
        return fallback;
    return value;
}

bool BoolAttr(const XmlNode& node, const char* name, bool fallback) {
    if (!node.HasAttribute(name))
        return fallback;
    CStr v = node.Attribute(name);
    return !(v.Equals("0") || EqualsNoCase(v.GetText(), "false") || EqualsNoCase(v.GetText(), "no"));
}

bool ColourAttr(const XmlNode& node, const char* name, uint32_t& colour) {
    return node.HasAttribute(name) && ParseGuiColour(node.Attribute(name), colour);
}

// "a,b,c,d" colour lists.
int ColourList(const XmlNode& node, const char* name, uint32_t* colours, int count) {
    if (!node.HasAttribute(name))
        return 0;
    int n = 0;
    for (const CStr& part : node.Attribute(name).Split(',')) {
        if (n < count && ParseGuiColour(part, colours[n]))
            ++n;
    }
    return n;
}

int FormatAttr(const XmlNode& node, const char* name, int fallback) {
    if (!node.HasAttribute(name))
        return fallback;
    CStr v = node.Attribute(name);
    struct Named {
        const char* name;
        int format;
    };
    static constexpr Named kNames[] = {{"topleft", 0}, {"centre", 1}, {"center", 1},
                                       {"left", 4},    {"middle", 5}, {"right", 6}};
    for (const Named& n : kNames) {
        if (EqualsNoCase(v.GetText(), n.name))
            return n.format;
    }
    return IntAttr(node, name, fallback);
}

std::unique_ptr<CGuiElement> MakeElement(const CStr& tag) {
    const char* t = tag.GetText();
    if (EqualsNoCase(t, "Window"))
        return std::make_unique<CGuiWindow>();
    if (EqualsNoCase(t, "Picture") || EqualsNoCase(t, "Shape"))
        return std::make_unique<CGuiPicture>();
    if (EqualsNoCase(t, "Static"))
        return std::make_unique<CGuiStaticText>();
    if (EqualsNoCase(t, "TextBox"))
        return std::make_unique<CGuiTextBox>();
    if (EqualsNoCase(t, "Button"))
        return std::make_unique<CGuiButton>();
    if (EqualsNoCase(t, "AnimButton"))
        return std::make_unique<CGuiAnimButton>();
    if (EqualsNoCase(t, "CheckBox"))
        return std::make_unique<CGuiCheckBox>();
    if (EqualsNoCase(t, "List"))
        return std::make_unique<CGuiListBox>();
    if (EqualsNoCase(t, "Combo"))
        return std::make_unique<CGuiComboBox>();
    if (EqualsNoCase(t, "Grid"))
        return std::make_unique<CGuiGridControl>();
    if (EqualsNoCase(t, "Edit"))
        return std::make_unique<CGuiEditBox>();
    if (EqualsNoCase(t, "ScrollBar"))
        return std::make_unique<CGuiScrollBar>();
    if (EqualsNoCase(t, "Progress"))
        return std::make_unique<CGuiProgressBar>();
    return nullptr;
}

void HideHintsUnderScrollBars(CGuiElement* root, CGuiElement* element) {
    if (element->GetType() == GuiElementType::ScrollBar) {
        if (CGuiElement* target = static_cast<CGuiScrollBar*>(element)->Target())
            target->SetScrollHint(false);
    }
    for (const auto& child : element->Children())
        HideHintsUnderScrollBars(root, child.get());
}

bool IsElementTag(const CStr& tag) {
    return !EqualsNoCase(tag.GetText(), "Column") && !EqualsNoCase(tag.GetText(), "Action") &&
           !EqualsNoCase(tag.GetText(), "Item");
}

} // namespace

bool ParseGuiColour(const CStr& text, uint32_t& colour) {
    CStr t = text;
    t.Trim();
    if (t.CharAt(0) == '#') {
        std::string hex = t.Mid(1).Std();
        if ((hex.size() != 6 && hex.size() != 8) ||
            hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        uint32_t v = static_cast<uint32_t>(std::strtoul(hex.c_str(), nullptr, 16));
        if (hex.size() == 6)
            v = v << 8 | 0xFF;
        // #RRGGBBAA -> word with alpha in the lowest byte, then red, green, blue.
        uint32_t r = v >> 24 & 0xFF, g = v >> 16 & 0xFF, b = v >> 8 & 0xFF, a = v & 0xFF;
        colour = a | r << 8 | g << 16 | b << 24;
        return true;
    }
    int value = 0;
    if (!ParseInt(t, value))
        return false;
    colour = static_cast<uint32_t>(value);
    return true;
}

bool CGuiLayoutLoader::ReadDefines(const char* gamePath) {
    std::string text;
    if (!ReadWholeFile(gamePath, text)) {
        QuorelLog("[CGuiLayoutLoader::ReadDefines] cannot read '%s'", gamePath);
        return false;
    }
    for (CStr line : CStr(text).Split('\n')) {
        line.Trim();
        if (line.Find("#define") != 0)
            continue;
        std::vector<CStr> words;
        for (const CStr& word : line.Mid(7).Split(' ')) {
            for (CStr piece : word.Split('\t')) {
                if (!piece.Trim().IsEmpty())
                    words.push_back(piece);
            }
        }
        int value = 0;
        if (words.size() < 2 || !ParseInt(words[1], value))
            continue; // macros without an integer value are not element ids
        m_stack.Defines().push_back(GuiDefine{words[0], value});
    }
    return true;
}

bool CGuiLayoutLoader::LoadLayout(const char* gamePath) {
    if (!FileExists(gamePath)) {
        QuorelLog("[CGuiLayoutLoader::LoadLayout] cannot read '%s'", gamePath);
        return false;
    }
    XmlNode root = XmlNode::OpenFile(gamePath, "GuiLayout");
    if (root.IsEmpty()) {
        QuorelLog("[CGuiLayoutLoader::LoadLayout] '%s' has no GuiLayout element", gamePath);
        return false;
    }
    return BuildLayout(root, gamePath);
}

bool CGuiLayoutLoader::LoadLayoutText(const char* xmlText, const char* nameForLog) {
    CStr error;
    XmlNode root = XmlNode::Parse(xmlText, "GuiLayout", &error);
    if (root.IsEmpty()) {
        QuorelLog("[CGuiLayoutLoader::LoadLayout] '%s' does not parse: %s", nameForLog, error.GetText());
        return false;
    }
    return BuildLayout(root, nameForLog);
}

bool CGuiLayoutLoader::BuildLayout(const XmlNode& root, const char* nameForLog) {
    m_file = nameForLog;
    for (int i = 0; i < root.CountChildren(); ++i) {
        XmlNode node = root.ChildAt(i);
        if (EqualsNoCase(node.TagName().GetText(), "Action")) {
            AddAction(node);
            continue;
        }
        std::unique_ptr<CGuiElement> element = BuildElement(node, nullptr);
        if (element)
            HideHintsUnderScrollBars(element.get(), element.get());
        if (element)
            m_stack.AddLayer(std::move(element), BoolAttr(node, "active", false),
                             BoolAttr(node, "keep", false));
    }
    return true;
}

bool CGuiLayoutLoader::ResolveId(const XmlNode& node, int32_t& id) {
    id = -1;
    if (node.HasAttribute("name")) {
        CStr name = node.Attribute("name");
        id = m_stack.FindGuiIdByName(name.GetText());
        if (id == -1) {
            QuorelLog("[CGuiLayoutLoader::LoadLayout] %s line %d: unknown element name '%s', skipped",
                      m_file.GetText(), node.SourceLine(), name.GetText());
            NoteUnknownName(name, node.SourceLine());
            return false;
        }
    } else if (node.HasAttribute("id")) {
        id = IntAttr(node, "id", -1);
    }
    return true;
}

std::unique_ptr<CGuiElement> CGuiLayoutLoader::BuildElement(const XmlNode& node, const CGuiElement* parent) {
    CStr tag = node.TagName();
    std::unique_ptr<CGuiElement> element = MakeElement(tag);
    if (!element) {
        QuorelLog("[CGuiLayoutLoader::LoadLayout] %s line %d: unknown element type '%s', skipped",
                  m_file.GetText(), node.SourceLine(), tag.GetText());
        ++m_skipped;
        return nullptr;
    }
    int32_t id = -1;
    if (!ResolveId(node, id)) {
        ++m_skipped;
        return nullptr;
    }
    ElementDesc& d = element->Desc();
    d.id = id;
    // Positions in the file are relative to the parent; the descriptor holds client pixels.
    d.x = IntAttr(node, "x", 0) + (parent ? parent->Desc().x : 0);
    d.y = IntAttr(node, "y", 0) + (parent ? parent->Desc().y : 0);
    d.w = IntAttr(node, "w", 0);
    d.h = IntAttr(node, "h", 0);
    d.visible = BoolAttr(node, "visible", true) ? 1 : 0;
    if (parent)
        d.active = BoolAttr(node, "active", true) ? 1 : 0;
    d.enabled = BoolAttr(node, "enabled", true) ? 1 : 0;
    ColourAttr(node, "fill", d.fillColour);
    ColourAttr(node, "border", d.borderColour);
    d.borderWidth = IntAttr(node, "borderwidth",
                            node.HasAttribute("border") ? std::max(1, d.borderWidth) : d.borderWidth);
    d.frameCount = std::max(1, IntAttr(node, "frames", d.frameCount));
    d.frameIndex = IntAttr(node, "frame", d.frameIndex);
    element->UpdateRect();

    GuiFont& font = element->Font();
    if (node.HasAttribute("font"))
        font.face = node.Attribute("font");
    font.size = IntAttr(node, "size", font.size);
    font.weight = IntAttr(node, "weight", font.weight);
    if (node.HasAttribute("bold"))
        font.weight = BoolAttr(node, "bold", false) ? 700 : 400;

    if (node.HasAttribute("image"))
        element->SetImage(node.Attribute("image"));
    if (node.HasAttribute("tooltip"))
        element->SetTooltip(node.Attribute("tooltip"));
    else if (m_tooltips && id != -1)
        element->SetTooltip(m_tooltips(id));

    uint32_t colour = 0;
    bool hasColour = ColourAttr(node, "colour", colour) || ColourAttr(node, "color", colour);
    int format = FormatAttr(node, "format", -1);
    CStr text = node.Attribute("text");

    switch (element->GetType()) {
    case GuiElementType::Window: {
        auto* window = static_cast<CGuiWindow*>(element.get());
        window->SetCaption(node.Attribute("caption"));
        window->SetCaptionBar(BoolAttr(node, "captionbar", node.HasAttribute("caption")));
        break;
    }
    case GuiElementType::StaticText:
    case GuiElementType::TextBox:
    case GuiElementType::EditBox:
    case GuiElementType::CheckBox:
        if (element->GetType() == GuiElementType::EditBox)
            static_cast<CGuiEditBox*>(element.get())->SetMaxLength(IntAttr(node, "maxlen", 32));
        if (hasColour)
            element->SetTextColour(colour);
        if (element->GetType() == GuiElementType::StaticText && format >= 0)
            element->SetText(text, format);
        else if (!text.IsEmpty())
            element->SetText(text);
        if (element->GetType() == GuiElementType::CheckBox)
            element->SetChecked(BoolAttr(node, "checked", false));
        break;
    case GuiElementType::Button:
    case GuiElementType::AnimButton: {
        uint32_t colours[4];
        if (ColourList(node, "colours", colours, 4) == 4)
            element->SetColours(colours[0], colours[1], colours[2], colours[3]);
        element->SetText(text, format >= 0 ? format : kFormatCentreMiddle);
        if (element->GetType() == GuiElementType::AnimButton)
            static_cast<CGuiAnimButton*>(element.get())->SetFrameRate(IntAttr(node, "fps", 12));
        break;
    }
    case GuiElementType::ListBox:
    case GuiElementType::ComboBox: {
        auto* list = static_cast<CGuiListBox*>(element.get());
        if (element->GetType() == GuiElementType::ListBox) {
            list->SetRowHeight(IntAttr(node, "rowheight", 20));
            list->SetHeaderRow(BoolAttr(node, "header", false));
        } else {
            static_cast<CGuiComboBox*>(list)->SetConfiguredRows(IntAttr(node, "rows", 6));
        }
        if (hasColour)
            list->SetItemDefaultColour(colour);
        if (format >= 0)
            list->SetTextFormat(format);
        int columns = node.ChildCount("Column");
        for (int c = 0; c < columns; ++c) {
            XmlNode column = node.ChildNode("Column", c);
            list->SetColumnWidth(c, IntAttr(column, "width", 0));
            if (column.HasAttribute("caption")) {
                list->SetColumnCaption(c, column.Attribute("caption"));
                list->SetHeaderRow(true);
            }
        }
        for (int i = 0; i < node.ChildCount("Item"); ++i) {
            XmlNode item = node.ChildNode("Item", i);
            list->AddItem(item.Attribute("text"), IntAttr(item, "data", 0));
        }
        if (node.HasAttribute("selected"))
            list->SetSelection(IntAttr(node, "selected", -1));
        list->UpdateScrollRange();
        break;
    }
    case GuiElementType::Grid: {
        auto* grid = static_cast<CGuiGridControl*>(element.get());
        int columns = std::max(node.ChildCount("Column"), IntAttr(node, "columns", 0));
        grid->SetColumnCount(columns);
        grid->SetRowHeight(IntAttr(node, "rowheight", 20));
        grid->SetHeaderHeight(IntAttr(node, "headerheight", 22));
        int width = IntAttr(node, "colwidth", columns > 0 ? grid->Desc().w / columns : 80);
        for (int c = 0; c < columns; ++c) {
            XmlNode column = node.ChildNode("Column", c);
            grid->SetColumnWidth(c, IntAttr(column, "width", width));
            grid->SetColumnFormat(c, FormatAttr(column, "format", format >= 0 ? format : kFormatLeftMiddle));
            uint32_t c1 = 0;
            if (ColourAttr(column, "colour", c1) || hasColour)
                grid->SetColumnColour(c, column.HasAttribute("colour") ? c1 : colour);
            grid->SetHeaderText(c, column.Attribute("header"),
                                FormatAttr(column, "headerformat", kFormatLeftMiddle));
            if (column.HasAttribute("tooltip"))
                grid->SetHeaderTooltip(c, column.Attribute("tooltip"));
            uint32_t colours[4];
            if (ColourList(column, "headercolours", colours, 4) == 4)
                grid->SetHeaderColours(c, colours[0], colours[1], colours[2], colours[3]);
        }
        grid->SetRowCount(IntAttr(node, "rowcount", 0));
        break;
    }
    case GuiElementType::ScrollBar:
        if (node.HasAttribute("target")) {
            int32_t target = m_stack.FindGuiIdByName(node.Attribute("target").GetText());
            if (target == -1) {
                QuorelLog("[CGuiLayoutLoader::LoadLayout] %s line %d: unknown scroll target '%s'",
                          m_file.GetText(), node.SourceLine(), node.Attribute("target").GetText());
                NoteUnknownName(node.Attribute("target"), node.SourceLine());
            }
            static_cast<CGuiScrollBar*>(element.get())->SetTargetId(target);
        }
        break;
    case GuiElementType::ProgressBar:
        element->SetProgress(IntAttr(node, "value", 0), IntAttr(node, "max", 100));
        break;
    case GuiElementType::Picture:
        break;
    }

    for (int i = 0; i < node.CountChildren(); ++i) {
        XmlNode child = node.ChildAt(i);
        if (!IsElementTag(child.TagName()))
            continue;
        if (std::unique_ptr<CGuiElement> built = BuildElement(child, element.get()))
            element->AddChild(std::move(built));
    }
    return element;
}

void CGuiLayoutLoader::NoteUnknownName(const CStr& name, int line) {
    if (m_unknownNames++ == 0) {
        m_firstUnknownName = name;
        m_firstUnknownLine = line;
    }
}

void CGuiLayoutLoader::AddAction(const XmlNode& node) {
    GuiAction action;
    CStr source = node.Attribute("source");
    CStr target = node.Attribute("target");
    action.source = m_stack.FindGuiIdByName(source.GetText());
    action.target = m_stack.FindGuiIdByName(target.GetText());
    if (action.source == -1 || action.target == -1) {
        QuorelLog("[CGuiLayoutLoader::LoadLayout] %s line %d: action with unknown name '%s', skipped",
                  m_file.GetText(), node.SourceLine(),
                  action.source == -1 ? source.GetText() : target.GetText());
        NoteUnknownName(action.source == -1 ? source : target, node.SourceLine());
        ++m_skipped;
        return;
    }
    struct Named {
        const char* name;
        int kind;
    };
    static constexpr Named kKinds[] = {{"activate", kMsgActivate},
                                       {"menu", kMsgOpenMenu},
                                       {"open", kMsgOpenOnTop},
                                       {"switch", kMsgSwitchTo},
                                       {"close", kMsgClose}};
    CStr kind = node.Attribute("kind");
    action.kind = -1;
    for (const Named& k : kKinds) {
        if (EqualsNoCase(kind.GetText(), k.name))
            action.kind = k.kind;
    }
    if (action.kind == -1)
        action.kind = IntAttr(node, "kind", -1);
    if (action.kind < 0) {
        QuorelLog("[CGuiLayoutLoader::LoadLayout] %s line %d: action with unknown kind '%s', skipped",
                  m_file.GetText(), node.SourceLine(), kind.GetText());
        ++m_skipped;
        return;
    }
    action.p1 = IntAttr(node, "p1", 0);
    action.p2 = IntAttr(node, "p2", 0);
    m_stack.AddAction(action);
}
