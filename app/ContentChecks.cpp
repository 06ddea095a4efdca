// Start-up checks of the layout, its names and the language file.
#include "app/ContentChecks.h"

#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "database/Validate.h"
#include "engine/Paths.h"
#include "engine/Xml.h"
#include "gui/Grid.h"
#include "gui/LayoutLoader.h"
#include "gui/ListBox.h"
#include "gui/ScreenStack.h"
#include "gui/ScrollBar.h"
#include "gui/TextTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

// Named as the missing-file message names it: from the game folder, without the leading separator.
const char* ShownPath(const char* gamePath) {
    return gamePath[0] == '\\' ? gamePath + 1 : gamePath;
}

CStr Damaged(const char* gamePath, const CStr& what) {
    return CStr::Formatted("The file %s is damaged: %s. It is at %s. Reinstall the game to bring the "
                           "file back.",
                           ShownPath(gamePath), what.GetText(), ResolvePath(gamePath).GetText());
}

// Whether the fonts can draw the word: well-formed UTF-8 (no overlong form, surrogate or code
// point past U+10FFFF) without control characters, which draw as boxes or break the line.
bool IsDrawableWord(const std::string& word) {
    for (size_t i = 0; i < word.size();) {
        const auto lead = static_cast<unsigned char>(word[i]);
        if (lead < 0x20 || lead == 0x7F)
            return false;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t extra = 0;
        uint32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (i + extra >= word.size())
            return false; // cut short
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(word[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        const bool overlong = (extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code <= 0x9F)
            return false;
        i += extra + 1;
    }
    return true;
}

// The id of the first entry of a language file whose word the fonts cannot draw; -1 when none.
// The entries are read as the text table reads them: an id and one word, split at blanks.
long FirstUndrawableText(const std::string& content) {
    size_t at = 0;
    auto nextToken = [&](std::string& token) {
        while (at < content.size() && std::isspace(static_cast<unsigned char>(content[at])))
            ++at;
        const size_t begin = at;
        while (at < content.size() && !std::isspace(static_cast<unsigned char>(content[at])))
            ++at;
        token = content.substr(begin, at - begin);
        return !token.empty();
    };
    std::string idText, word;
    while (nextToken(idText)) {
        char* end = nullptr;
        const long id = std::strtol(idText.c_str(), &end, 10);
        if (!end || *end != 0)
            continue; // the table skips it too; a text it leaves missing is named as missing
        if (!nextToken(word))
            break;
        if (!IsDrawableWord(word))
            return id;
    }
    return -1;
}

// What one window of the loaded layout holds.
struct LoadedWindow {
    std::unordered_set<int32_t> ids;
    std::unordered_map<int32_t, int> columns; // by grid or list
    std::unordered_set<int32_t> lists;
    std::unordered_map<int32_t, int> items; // by list
    std::unordered_set<int32_t> scrolled;
    std::unordered_map<std::string, int> labels; // unnamed labels by their text
};

// A label's text with its blanks as one space each: a text box holds its text wrapped in lines.
std::string LabelText(const CStr& text) {
    std::string spaced;
    for (char c : text.Std()) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (blank && (spaced.empty() || spaced.back() == ' '))
            continue;
        spaced += blank ? ' ' : c;
    }
    if (!spaced.empty() && spaced.back() == ' ')
        spaced.pop_back();
    return spaced;
}

void Gather(const CGuiElement& element, LoadedWindow& window) {
    window.ids.insert(element.GetId());
    switch (element.GetType()) {
    case GuiElementType::Grid:
        window.columns[element.GetId()] = static_cast<const CGuiGridControl&>(element).ColumnCount();
        break;
    case GuiElementType::ListBox:
    case GuiElementType::ComboBox:
        window.columns[element.GetId()] = static_cast<const CGuiListBox&>(element).ColumnCount();
        window.items[element.GetId()] = element.GetItemCount();
        window.lists.insert(element.GetId());
        break;
    case GuiElementType::ScrollBar:
        window.scrolled.insert(static_cast<const CGuiScrollBar&>(element).TargetId());
        break;
    case GuiElementType::StaticText:
    case GuiElementType::TextBox:
        if (element.GetId() == -1)
            ++window.labels[LabelText(element.GetText())];
        break;
    default:
        break;
    }
    for (const auto& child : element.Children())
        Gather(*child, window);
}

// The first need the layout does not meet, as the clause of a sentence; empty when it meets all.
// One walk of the element trees, then look-ups: start-up stays quick.
CStr UnmetNeed(CScreenStack& stack, const LayoutNeeds& needs) {
    std::unordered_map<int32_t, LoadedWindow> windows;
    for (const ScreenLayer& layer : stack.Layers())
        Gather(*layer.root, windows[layer.screenId]);
    std::set<std::pair<int32_t, int32_t>> actions;
    for (const GuiAction& action : stack.Actions())
        actions.emplace(action.source, action.target);
    auto idOf = [&stack](const char* name) { return stack.FindGuiIdByName(name); };
    auto windowOf = [&](const char* name) -> const LoadedWindow* {
        auto found = windows.find(idOf(name));
        return found == windows.end() ? nullptr : &found->second;
    };
    auto counted = [&](const LayoutNeeds::Count& need,
                       std::unordered_map<int32_t, int> LoadedWindow::*counts) {
        const LoadedWindow* window = windowOf(need.window);
        if (!window)
            return 0;
        auto found = (window->*counts).find(idOf(need.name));
        return found == (window->*counts).end() ? 0 : found->second;
    };
    int missing = 0;
    const LayoutNeeds::Element* first = nullptr;
    for (const LayoutNeeds::Element& need : needs.elements) {
        const LoadedWindow* window = windowOf(need.window);
        if ((!window || !window->ids.count(idOf(need.name))) && missing++ == 0)
            first = &need;
    }
    if (first) {
        CStr more = missing > 1 ? CStr::Formatted(" and %d more", missing - 1) : CStr();
        CStr where = std::string(first->window) == first->name
                         ? CStr()
                         : CStr::Formatted(" in its window %s", first->window);
        return CStr::Formatted("it has no element %s%s%s, which the game's screens use", first->name,
                               where.GetText(), more.GetText());
    }
    for (const LayoutNeeds::Count& need : needs.columns) {
        const int has = counted(need, &LoadedWindow::columns);
        if (has < need.count) {
            const LoadedWindow* window = windowOf(need.window);
            const bool list = window && window->lists.count(idOf(need.name));
            return CStr::Formatted("its %s %s has %d column%s where the game's screens show %d",
                                   list ? "list" : "grid", need.name, has, has == 1 ? "" : "s", need.count);
        }
    }
    for (const LayoutNeeds::Count& need : needs.listItems) {
        const int has = counted(need, &LoadedWindow::items);
        if (has < need.count)
            return CStr::Formatted("its list %s offers %d choice%s where the game offers %d", need.name, has,
                                   has == 1 ? "" : "s", need.count);
    }
    for (const LayoutNeeds::Action& need : needs.actions)
        if (!actions.count({idOf(need.source), idOf(need.target)}))
            return CStr::Formatted("it lacks the action that a click on %s takes on %s", need.source,
                                   need.target);
    for (const LayoutNeeds::Element& need : needs.scrolled) {
        const LoadedWindow* window = windowOf(need.window);
        if (!window || !window->scrolled.count(idOf(need.name)))
            return CStr::Formatted("it has no scroll bar for %s", need.name);
    }
    // A heading or the tab that marks the current page: as many in each window as the game ships.
    std::unordered_map<std::string, int> labelsNeeded; // window and text -> count
    for (const LayoutNeeds::Label& need : needs.labels) {
        const std::string text = LabelText(need.text);
        const int wanted = ++labelsNeeded[std::string(need.window) + '\n' + text];
        const LoadedWindow* window = windowOf(need.window);
        int has = 0;
        if (window) {
            auto found = window->labels.find(text);
            has = found == window->labels.end() ? 0 : found->second;
        }
        if (has < wanted)
            return CStr::Formatted("its window %s has no label \"%s\", which the game's screens show",
                                   need.window, need.text);
    }
    return CStr();
}

// Whether the shipped layout names the element (a window, an element, a click's source or target
// or a scroll bar's target): the screens find it by that name.
bool ShippedLayoutUses(const LayoutNeeds& needs, const char* name) {
    const std::string wanted = name;
    auto is = [&wanted](const char* used) { return wanted == used; };
    return std::any_of(WindowsTheGameOpens().begin(), WindowsTheGameOpens().end(), is) ||
           std::any_of(needs.elements.begin(), needs.elements.end(),
                       [&](const LayoutNeeds::Element& e) { return is(e.name) || is(e.window); }) ||
           std::any_of(needs.actions.begin(), needs.actions.end(),
                       [&](const LayoutNeeds::Action& a) { return is(a.source) || is(a.target); }) ||
           std::any_of(needs.scrolled.begin(), needs.scrolled.end(),
                       [&](const LayoutNeeds::Element& e) { return is(e.name); });
}

} // namespace

const std::vector<const char*>& WindowsTheGameOpens() {
    static const std::vector<const char*> kWindows = {
        "ID_MAINMENU",         "ID_NEWCAREER",       "ID_PROFILES",      "ID_CONFIRMDELETE",
        "ID_OPTIONS",          "ID_MESSAGE",         "ID_FRAME",         "ID_CLUBOVERVIEW",
        "ID_DAYPANEL",         "ID_STATISTICS",      "ID_FIXTURES",      "ID_MATCHCOMPARE",
        "ID_STATSCOMPARE",     "ID_INBOX",           "ID_NEWS",          "ID_INDICATORS",
        "ID_PLAYERINFO",       "ID_RESULTS",         "ID_SEASONEND",     "ID_SQUADMSG",
        "ID_TACTICS",          "ID_VIEWMODE",        "ID_LINEUP",        "ID_MATCH_POPUP",
        "ID_MATCHHUD",         "ID_COMMENTARY",      "ID_STAFF",         "ID_FINANCES",
        "ID_INCOME",           "ID_EXPENSES",        "ID_STAFF_RELEASE", "ID_SPONSORS",
        "ID_TICKETS",          "ID_TK_CONFIRM",      "ID_FUNSHOP",       "ID_TRAINING",
        "ID_SUBSTITUTION",     "ID_QUARTERBREAK",    "ID_MATCHCENTRE",   "ID_STADIUM",
        "ID_STADIUM_INFO_BOX", "ID_STADIUM_ASK_BOX", "ID_TRANSFERS",     "ID_TF_RELEASE_BOX",
        "ID_TF_NEGOTIATION",   "ID_CERTIFICATES",
    };
    return kWindows;
}

const std::vector<int>& StartScreenTextIds() {
    // The career modes in the careers list, the wait texts of a new career and a day, and the
    // senders of the first mails.
    static const std::vector<int> kTexts = {100063, 100064, 100065, 100166, 100167, 100168, 300958, 300959};
    return kTexts;
}

CStr LayoutReadProblem(const char* definesPath, const char* layoutPath, bool definesRead,
                       int xmlFailuresBefore) {
    const char* path = definesRead ? layoutPath : definesPath;
    if (!FileExists(path))
        return CStr::Formatted("The file %s is missing, so the game has no %s. It looked for it at %s. "
                               "Reinstall the game to bring the file back.",
                               ShownPath(path),
                               definesRead ? "screen layouts" : "names for its screen elements",
                               ResolvePath(path).GetText());
    if (!definesRead)
        return Damaged(path, "it cannot be read");
    // The parser's place for a layout that is not XML; a layout without its root element says so.
    if (XmlNode::OpenFailures() > xmlFailuresBefore && XmlNode::LastOpenFailureDetail().file == path)
        return XmlFileProblem(xmlFailuresBefore);
    return Damaged(path, "it does not read as a layout (it has no GuiLayout element)");
}

CStr LayoutProblem(CScreenStack& stack, const CGuiLayoutLoader& loader, const char* definesPath,
                   const char* layoutPath, const LayoutNeeds& needs) {
    if (stack.Defines().empty())
        return Damaged(definesPath, "it names no screen elements");
    // A name the shipped layout uses that the define file lacks: the define file lost it. Any other
    // unknown name was written into the layout (an element renamed): the layout is what changed.
    CStr renamed;
    if (loader.UnknownNameCount() > 0) {
        const CStr& name = loader.FirstUnknownName();
        if (!ShippedLayoutUses(needs, name.GetText()))
            renamed = CStr::Formatted("its line %d names %s, which the game does not know",
                                      loader.FirstUnknownNameLine(), name.GetText());
    }
    if (loader.UnknownNameCount() > 0 && renamed.IsEmpty()) {
        CStr more = loader.UnknownNameCount() > 1 ? CStr::Formatted(", and %d more name%s the layout uses",
                                                                    loader.UnknownNameCount() - 1,
                                                                    loader.UnknownNameCount() > 2 ? "s" : "")
                                                  : CStr();
        return Damaged(definesPath,
                       CStr::Formatted("it lacks %s, which line %d of %s uses%s",
                                       loader.FirstUnknownName().GetText(), loader.FirstUnknownNameLine(),
                                       ShownPath(layoutPath), more.GetText()));
    }
    auto layoutDamaged = [&](const CStr& what) {
        return Damaged(layoutPath, renamed.IsEmpty()
                                       ? what
                                       : CStr::Formatted("%s (%s)", what.GetText(), renamed.GetText()));
    };
    if (stack.Layers().empty())
        return layoutDamaged("it holds no windows");
    for (const char* window : WindowsTheGameOpens()) {
        int32_t id = stack.FindGuiIdByName(window);
        if (id == -1)
            return Damaged(definesPath, CStr::Formatted("it lacks the window %s", window));
        if (!stack.FindLayer(id))
            return layoutDamaged(CStr::Formatted("it has no window %s, which the game opens", window));
    }
    // A button, a column, a choice or a heading gone would leave its screen short without a word.
    CStr unmet = UnmetNeed(stack, needs);
    if (!unmet.IsEmpty())
        return layoutDamaged(unmet);
    return renamed.IsEmpty() ? CStr() : Damaged(layoutPath, renamed);
}

CStr XmlFileProblem(int failuresBefore) {
    if (XmlNode::OpenFailures() == failuresBefore)
        return CStr();
    const XmlOpenFailure failure = XmlNode::LastOpenFailureDetail();
    const char* path = failure.file.GetText();
    if (!FileExists(path))
        return CStr::Formatted("The file %s is missing, so the game cannot set up its screens or matches. It "
                               "looked for it at %s. Reinstall the game to bring the file back.",
                               ShownPath(path), ResolvePath(path).GetText());
    if (failure.reason.IsEmpty())
        return Damaged(path, "it cannot be read");
    // The parser's reason reads as a clause inside the sentence.
    std::string reason = failure.reason.Std();
    if (!reason.empty())
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return Damaged(path, CStr::Formatted("it does not read as XML (%s at line %d, column %d)", reason.c_str(),
                                         failure.line, failure.column));
}

std::vector<int32_t> GameWorldTextIds(const CMemoryDB* leagueWorld, CStr* problem) {
    std::vector<int32_t> ids;
    WorldDataError error;
    bool sound = true;
    if (leagueWorld && !leagueWorld->teams.IsEmpty())
        ids = WorldTextIds(*leagueWorld);
    else
        sound = CheckWorldData(kDataSetLeague, ids, &error); // says why the world did not load
    // The tournaments are read whole but built only when a career plays one.
    for (int32_t dataSet : {kDataSetEuroCup, kDataSetWorldCup}) {
        WorldDataError own;
        if (!CheckWorldData(dataSet, ids, &own) && sound) {
            sound = false;
            error = own;
        }
    }
    if (!sound && problem) {
        const char* file = error.file.GetText();
        *problem = error.missing
                       ? CStr::Formatted("The file %s is missing, so the game cannot set up its leagues and "
                                         "clubs. It looked for it at %s. Reinstall the game to bring the "
                                         "file back.",
                                         file, ResolvePath(file).GetText())
                       : Damaged(file, error.reason);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

CStr LanguageProblem(const CTextTable& texts, const char* languagePath,
                     const std::vector<int32_t>& worldTextIds, const char* dataLanguagePath) {
    auto missingFile = [](const char* path) {
        return CStr::Formatted("The file %s is missing, so the game has no texts for its screens. It looked "
                               "for it at %s. Reinstall the game to bring the file back.",
                               ShownPath(path), ResolvePath(path).GetText());
    };
    auto holdsNoTexts = [](const char* path) {
        std::string content;
        ReadWholeFile(path, content);
        CTextTable own;
        own.LoadFromText(content);
        return own.Size() == 0;
    };
    // The first missing id (the lowest) is named, so a file cut short tells where it ends.
    auto lacks = [&](const char* path, const std::vector<int>& ids, const char* whose) {
        int missing = 0;
        int first = 0;
        for (int id : ids)
            if (!texts.Has(id) && missing++ == 0)
                first = id;
        if (missing == 0)
            return CStr();
        if (holdsNoTexts(path))
            return Damaged(path, "it holds no texts");
        CStr others = missing > 1 ? CStr::Formatted(" and %d more", missing - 1) : CStr();
        return Damaged(path, CStr::Formatted("it lacks the text %d%s that %s (it may be cut short)", first,
                                             others.GetText(), whose));
    };
    if (!FileExists(languagePath))
        return missingFile(languagePath);
    // The world's own names (leagues, countries, mails) come from the data's language file.
    std::vector<int> dataIds;
    std::vector<int> codeIds(StartScreenTextIds().begin(), StartScreenTextIds().end());
    codeIds.insert(codeIds.end(), CodeTextIds().begin(), CodeTextIds().end());
    for (int32_t id : worldTextIds)
        (id >= kFirstDataTextId ? dataIds : codeIds).push_back(id);
    std::sort(codeIds.begin(), codeIds.end());
    if (!dataIds.empty() && !FileExists(dataLanguagePath))
        return missingFile(dataLanguagePath);
    CStr problem = lacks(dataLanguagePath, dataIds, "the world's data names");
    if (problem.IsEmpty())
        problem = lacks(languagePath, codeIds, "the screens show");
    // A word that is not UTF-8 or holds a control byte would be drawn as garbage.
    for (const char* path : {languagePath, dataLanguagePath}) {
        std::string content;
        if (!problem.IsEmpty() || !ReadWholeFile(path, content))
            continue;
        const long id = FirstUndrawableText(content);
        if (id >= 0)
            problem = Damaged(path, CStr::Formatted("its text %ld holds bytes no font can draw (a control "
                                                    "character, or letters not written as UTF-8)",
                                                    id));
    }
    return problem;
}

CStr TooltipProblem(const CTextTable& tooltips, const char* tooltipPath, const std::vector<int>& neededIds) {
    if (!FileExists(tooltipPath))
        return CStr::Formatted("The file %s is missing, so the game has no hints for its screens. It looked "
                               "for it at %s. Reinstall the game to bring the file back.",
                               ShownPath(tooltipPath), ResolvePath(tooltipPath).GetText());
    // A hint that is gone or empty shows a blank box; the first one (the lowest) is named.
    int missing = 0;
    int first = 0;
    for (int id : neededIds)
        if (tooltips.Get(id).IsEmpty() && missing++ == 0)
            first = id;
    if (missing > 0 && tooltips.Size() == 0)
        return Damaged(tooltipPath, "it holds no hints");
    if (missing > 0) {
        CStr others = missing > 1 ? CStr::Formatted(" and %d more", missing - 1) : CStr();
        return Damaged(tooltipPath, CStr::Formatted("it lacks the hint %d%s that the screens show (it may be "
                                                    "cut short)",
                                                    first, others.GetText()));
    }
    std::string content;
    if (!ReadWholeFile(tooltipPath, content))
        return Damaged(tooltipPath, "it cannot be read");
    const long id = FirstUndrawableText(content);
    if (id >= 0)
        return Damaged(tooltipPath, CStr::Formatted("its hint %ld holds bytes no font can draw (a control "
                                                    "character, or letters not written as UTF-8)",
                                                    id));
    return CStr();
}
