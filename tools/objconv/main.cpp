// objconv: converts a Wavefront OBJ file (with its MTL library) into the engine's model file.
// Usage: objconv input.obj output.qmd
#include "engine/Model.h"
#include "engine/ObjImport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

static bool ReadFile(const std::filesystem::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: objconv input.obj output.qmd\n");
        return 2;
    }
    const std::filesystem::path input = argv[1];
    std::string obj;
    if (!ReadFile(input, obj)) {
        std::fprintf(stderr, "objconv: cannot read %s\n", argv[1]);
        return 1;
    }
    auto readBeside = [&input](const std::string& name, std::string& text) {
        if (!ReadFile(input.parent_path() / name, text)) {
            std::fprintf(stderr, "objconv: material library %s not found, using default materials\n",
                         name.c_str());
            return false;
        }
        return true;
    };
    ModelData model;
    CStr error;
    if (!ImportObj(obj, readBeside, model, error)) {
        std::fprintf(stderr, "objconv: %s: %s\n", argv[1], error.GetText());
        return 1;
    }
    std::string bytes;
    WriteModel(model, bytes);
    std::ofstream out(argv[2], std::ios::binary);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        std::fprintf(stderr, "objconv: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %zu sub-objects, %zu materials\n", argv[2], model.subObjects.size(),
                model.materials.size());
    return 0;
}
