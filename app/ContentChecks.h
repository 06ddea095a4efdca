// Start-up checks of the content every screen stands on: damaged layout, define, language or font
// files stop the game with a sentence naming the file instead of a black or label-less window.
#pragma once

#include "engine/Str.h"

#include <cstdint>
#include <vector>

class CGuiLayoutLoader;
class CMemoryDB;
class CScreenStack;
class CTextTable;

// The top-level windows the game opens, by their names in the define file.
const std::vector<const char*>& WindowsTheGameOpens();
// The texts the start screens and the new career's first mails show.
const std::vector<int>& StartScreenTextIds();

// What the game's screens stand on in the layout, by element name, in file order: generated at
// build time from the shipped layout (cmake/LayoutNeeds.cmake). Elements, grids, lists, scroll bars
// and labels are named with their window: two windows may give elements the same number.
struct LayoutNeeds {
    struct Element {
        const char* window;
        const char* name;
    };
    struct Count {
        const char* window;
        const char* name;
        int count;
    };
    struct Action {
        const char* source;
        const char* target;
    };
    std::vector<Element> elements; // every named element
    std::vector<Count> columns;    // a grid or list and its columns
    std::vector<Count> listItems;  // a list and the choices it offers
    std::vector<Action> actions;   // a click action's source and target
    std::vector<Element> scrolled; // an element a scroll bar moves
    struct Label {
        const char* window;
        const char* text;
    };
    std::vector<Label> labels; // a label without a name that shows a text, one entry each
};
const LayoutNeeds& ShippedLayoutNeeds();
// The ids of the shipped tooltip file, whose hints the layout's elements and the screens' columns
// show (generated at build time, cmake/TooltipIds.cmake).
const std::vector<int>& ShippedTooltipIds();

// Why the define file (definesRead false) or the layout file could not be read, as a sentence
// naming the file: missing, unreadable, not XML (with the place the parser stopped, when it failed
// since the XmlNode failure count was xmlFailuresBefore) or not a layout.
CStr LayoutReadProblem(const char* definesPath, const char* layoutPath, bool definesRead,
                       int xmlFailuresBefore);
// The first problem of the define and layout files as a sentence naming the file; empty when the
// layout holds every window the game opens and all the needs give, and every name it uses is
// defined.
CStr LayoutProblem(CScreenStack& stack, const CGuiLayoutLoader& loader, const char* definesPath,
                   const char* layoutPath, const LayoutNeeds& needs = ShippedLayoutNeeds());
// The last content file (layout, tactics, formation, ...) that failed to open or parse since the
// XmlNode failure count was failuresBefore, as a sentence naming the file and the place it breaks;
// empty when none did. The game and the probe read their start-up files and then ask this.
CStr XmlFileProblem(int failuresBefore);
// The text ids the screens' and the shell's code names by number (generated at build time).
const std::vector<int>& CodeTextIds();
// The world's text ids of every data set a career may play: the loaded league world's and both
// tournaments', whose group names and the countries only their clubs have are read nowhere else
// before a tournament starts. The league set is read from its files when leagueWorld is null or
// empty (its load failed). A data file of any set that is missing or does not read whole puts a
// sentence naming it into problem (when given).
std::vector<int32_t> GameWorldTextIds(const CMemoryDB* leagueWorld, CStr* problem = nullptr);
// Ids from here on are the world data's own texts, written into the data's language file.
constexpr int32_t kFirstDataTextId = 800000;

// The first text the game needs that its language files lack, as a sentence naming the file and
// the text's id; empty when all are there. The language file must hold every text the code and the
// start screens name and the world's fixed texts (worldTextIds below kFirstDataTextId); the data's
// language file the world's own names.
CStr LanguageProblem(const CTextTable& texts, const char* languagePath,
                     const std::vector<int32_t>& worldTextIds,
                     const char* dataLanguagePath = "\\guifiles\\lang_data_en.txt");

// Why the tooltip file the options name cannot serve the screens, as a sentence naming the file and
// the hint: missing, without a hint the shipped file holds (by id), or with a hint no font can draw.
// Empty when it serves them all.
CStr TooltipProblem(const CTextTable& tooltips, const char* tooltipPath,
                    const std::vector<int>& neededIds = ShippedTooltipIds());
