// worldgen: writes the world data sets into the game folder at build time and refuses to finish
// when a set fails validation or would come out differently on a second run.
#include "database/Careers.h"
#include "database/Validate.h"
#include "engine/Paths.h"
#include "tools/worldgen/Generator.h"

#include <cstdio>
#include <set>

namespace {

bool CheckSet(const CMemoryDB& db, int32_t dataSet, const std::set<int32_t>& textIds, const char* what) {
    std::vector<CStr> problems = ValidateWorldData(db, dataSet, textIds);
    for (const CStr& problem : problems)
        std::fprintf(stderr, "worldgen: %s: %s\n", what, problem.GetText());
    return problems.empty();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: worldgen <data-src folder> <game folder>\n");
        return 2;
    }
    WorldSources sources;
    CStr error;
    if (!sources.Load(argv[1], error)) {
        std::fprintf(stderr, "worldgen: %s\n", error.GetText());
        return 1;
    }
    std::string game = argv[2];
    CWorldGenerator generator(sources);
    bool ok = true;
    for (int32_t dataSet : {kDataSetLeague, kDataSetEuroCup, kDataSetWorldCup}) {
        CMemoryDB db;
        generator.Generate(dataSet, db);
        CMemoryDB again;
        generator.Generate(dataSet, again);
        if (db.FileImages(false) != again.FileImages(false)) {
            std::fprintf(stderr, "worldgen: data set %d differs between two runs\n", dataSet);
            ok = false;
        }
        std::set<int32_t> textIds;
        for (const auto& entry : generator.Texts())
            textIds.insert(entry.first);
        CStr folder = CStr(game.c_str()).Concat(DataSetFolder(dataSet));
        folder.ReplaceChar('\\', '/');
        if (!CheckSet(db, dataSet, textIds, folder.GetText()) || !db.SaveFolder(folder.GetText(), false)) {
            ok = false;
            continue;
        }
        // What the game will read back must pass too.
        CMemoryDB reread;
        if (!reread.LoadFolder(folder.GetText()) || !CheckSet(reread, dataSet, textIds, folder.GetText()))
            ok = false;
    }
    // The list of saved careers starts empty; an existing one holds the player's careers.
    std::string list = game + "/data/profiles/profilelist.dat";
    if (!FileExists(list.c_str()))
        ok = CreateDirectories((game + "/data/profiles").c_str()) && WriteFileAtomic(list.c_str(), "") && ok;
    std::string texts = game + "/guifiles/lang_data_en.txt";
    ok = CreateDirectories((game + "/guifiles").c_str()) &&
         WriteFileAtomic(texts.c_str(), generator.LanguageFileText()) && ok;
    if (!ok) {
        std::fprintf(stderr, "worldgen: the world data could not be made\n");
        return 1;
    }
    std::string stamp = game + "/data/.worldgen-stamp";
    WriteFileAtomic(stamp.c_str(), "");
    return 0;
}
