// Wavefront OBJ (+ MTL) into the engine's model data, for tools/objconv and the tests.
//
// "o" and "g" start named sub-objects; "usemtl" switches the material (one draw batch per material
// in a sub-object). OBJ is right-handed with counter-clockwise front faces and v growing upward; the
// engine is left-handed with clockwise front faces and v growing downward, so z is negated, every
// face's corners are reversed and v becomes 1 - v. MTL: "Kd" and "d" give the diffuse colour, "map_Kd" the
// diffuse texture, "map_Ka" the lightmap (sampled with the same coordinates), and our own
// "effect <name>" statement the device effect (other readers ignore it).
#pragma once

#include "engine/Model.h"
#include "engine/Str.h"

#include <functional>
#include <string>

// readFile loads a file named by "mtllib", relative to the OBJ; false when it is missing (the
// materials then keep their defaults). False, with the reason and line in error, for a broken OBJ.
bool ImportObj(const std::string& objText,
               const std::function<bool(const std::string&, std::string&)>& readFile, ModelData& model,
               CStr& error);
