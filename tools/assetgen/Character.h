// Generated characters: a box-limbed humanoid rig with hand frames and keyframed basketball clips,
// written as text ".x".
#pragma once

#include <string>
#include <vector>

struct ClipRecipe {
    std::string name;
    double period = 1.0; // seconds
    int style = 0;       // which motion recipe (see Character.cpp)
};

// Material slots in file order: players use head, body, kit, shoes; referees face, clothes, shoes.
// bodyMaterial/kitMaterial map the rig's pieces onto those slots.
struct CharacterRecipe {
    std::vector<std::string> materialTextures; // file names relative to the model's texture folder
    int headMaterial = 0, bodyMaterial = 1, kitMaterial = 2, shoeMaterial = 3;
    std::vector<ClipRecipe> clips;
};

std::string BuildCharacterX(const CharacterRecipe& recipe);
// The player's and the referee's clip lists.
CharacterRecipe PlayerRecipe();
CharacterRecipe RefereeRecipe();
