// Camera positions of an arena, read from its camera descriptor file.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

#include <vector>

struct CameraRecord {
    Vec3 position;
    Vec3 lookAt;
    Vec3 up;
    Vec3 right;
};

// Appends the "camera" entries of a "QuorelFile" of type "Camera"; a file of another type adds
// nothing. The look-at z is taken from "looky" (our camera files are written with look-at points
// whose y equals z). A missing or broken file ends the game like every shipped data file.
int ReadCameraFile(const CStr& gamePath, std::vector<CameraRecord*>& cameras);
