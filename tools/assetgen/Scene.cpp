// Arena, ball and cube geometry in the engine's conventions: metres, y up, the court's long axis z,
// clockwise front faces.
#include "Scene.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr float kPi = 3.14159265f;

// Floor extent around the 15 x 28 court.
constexpr float kFloorX = 9.0f, kFloorZ = 16.0f;

ModelVertex Vertex(const Vec3& p, const Vec3& n, float u, float v) {
    ModelVertex out;
    out.pos[0] = p.x;
    out.pos[1] = p.y;
    out.pos[2] = p.z;
    out.normal[0] = n.x;
    out.normal[1] = n.y;
    out.normal[2] = n.z;
    out.uv0[0] = out.uv1[0] = u;
    out.uv0[1] = out.uv1[1] = v;
    return out;
}

Vec3 Pos(const ModelVertex& v) {
    return Vec3(v.pos[0], v.pos[1], v.pos[2]);
}

// Appends a triangle turned so that its front (clockwise) faces along `outward`.
void Triangle(ModelSubObject& sub, ModelVertex a, ModelVertex b, ModelVertex c, const Vec3& outward) {
    const uint32_t base = static_cast<uint32_t>(sub.vertices.size());
    const Vec3 n = Vec3Cross(Pos(b) - Pos(a), Pos(c) - Pos(a));
    if (Vec3Dot(n, outward) < 0.0f)
        std::swap(b, c);
    sub.vertices.push_back(a);
    sub.vertices.push_back(b);
    sub.vertices.push_back(c);
    sub.indices.push_back(base);
    sub.indices.push_back(base + 1);
    sub.indices.push_back(base + 2);
}

void Quad(ModelSubObject& sub, const Vec3 corners[4], const Vec3& normal, const float uv[4][2]) {
    ModelVertex v[4];
    for (int k = 0; k < 4; ++k)
        v[k] = Vertex(corners[k], normal, uv[k][0], uv[k][1]);
    Triangle(sub, v[0], v[1], v[2], normal);
    Triangle(sub, v[0], v[2], v[3], normal);
}

void Box(ModelSubObject& sub, const Vec3& lo, const Vec3& hi) {
    const float uv[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
    const Vec3 c[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                       {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    const int faces[6][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {4, 0, 3, 7},
                             {1, 5, 6, 2}, {3, 2, 6, 7}, {4, 5, 1, 0}};
    const Vec3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int f = 0; f < 6; ++f) {
        const Vec3 corners[4] = {c[faces[f][0]], c[faces[f][1]], c[faces[f][2]], c[faces[f][3]]};
        Quad(sub, corners, normals[f], uv);
    }
}

void OneBatch(ModelSubObject& sub, uint32_t material) {
    sub.batches.push_back({material, 0, static_cast<uint32_t>(sub.indices.size())});
}

ModelMaterial Material(const char* effect, const char* diffuse, const char* lightmap, float r, float g,
                       float b) {
    ModelMaterial m;
    m.effect = effect;
    m.diffuseTexture = diffuse;
    m.lightmapTexture = lightmap;
    m.diffuse[0] = r;
    m.diffuse[1] = g;
    m.diffuse[2] = b;
    return m;
}

void Basket(ModelSubObject& sub, float side, const ArenaShape& shape) {
    // Board front at the family's board plane, the pole behind the baseline and an arm between.
    const float z = shape.boardZ * side;
    Box(sub, Vec3(-0.85f, 2.75f, std::min(z, z + 0.05f * side)),
        Vec3(0.85f, 3.75f, std::max(z, z + 0.05f * side)));
    const float poleZ = std::max(13.6f, shape.halfZ + 0.4f);
    const float pz0 = poleZ * side, pz1 = (poleZ + 0.2f) * side;
    Box(sub, Vec3(-0.1f, 0.0f, std::min(pz0, pz1)), Vec3(0.1f, 3.4f, std::max(pz0, pz1)));
    const float az0 = (shape.boardZ + 0.05f) * side, az1 = poleZ * side;
    Box(sub, Vec3(-0.06f, 3.2f, std::min(az0, az1)), Vec3(0.06f, 3.3f, std::max(az0, az1)));
}

void Rim(ModelSubObject& sub, float side, const ArenaShape& shape) {
    const float cz = 12.13f * side, r = 0.17f, t = 0.02f, y0 = 3.03f, y1 = 3.07f;
    // The bracket from the rim back to a board that stands further off.
    const float back = (12.13f + r) * side, board = shape.boardZ * side;
    if (shape.boardZ > 12.13f + r)
        Box(sub, Vec3(-0.05f, y0, std::min(back, board)), Vec3(0.05f, y1, std::max(back, board)));
    Box(sub, Vec3(-r, y0, cz - r), Vec3(r, y1, cz - r + t));
    Box(sub, Vec3(-r, y0, cz + r - t), Vec3(r, y1, cz + r));
    Box(sub, Vec3(-r, y0, cz - r), Vec3(-r + t, y1, cz + r));
    Box(sub, Vec3(r - t, y0, cz - r), Vec3(r, y1, cz + r));
}

// Court texture space: u along x, v along z over the whole floor.
int TexX(float x, int w) {
    return static_cast<int>((x + kFloorX) / (2 * kFloorX) * w);
}
int TexY(float z, int h) {
    return static_cast<int>((z + kFloorZ) / (2 * kFloorZ) * h);
}

} // namespace

const std::vector<ArenaShape>& ArenaShapes() {
    // Court bounds and board planes as the match's arena geometry has them for each family.
    static const std::vector<ArenaShape> shapes = {
        {"STD_street_", 1, "arena_street", 7.0f, 13.0f, 12.3f, {150, 150, 155}, {90, 90, 80}},
        {"STD_Fiba_", 1, "arena_eu", 7.5f, 14.0f, 12.87f, {196, 142, 88}, {40, 70, 150}},
        {"STD_HScool_", 2, "arena_highschool", 7.5f, 14.0f, 12.3f, {210, 170, 110}, {150, 40, 40}},
        {"STD_NBA_", 1, "arena_nba", 7.6025f, 14.2905f, 12.35f, {180, 120, 70}, {30, 30, 40}},
    };
    return shapes;
}

ModelData BuildArena(const ArenaShape& shape) {
    ModelData model;
    model.materials.push_back(Material("Standard", "court.tga", "court_lm.tga", 1, 1, 1));
    model.materials.push_back(Material("Default", "wall.tga", "", 1, 1, 1));
    model.materials.push_back(Material("Default", "", "", 0.85f, 0.85f, 0.9f));
    model.materials.push_back(Material("Default", "", "", 1.0f, 0.35f, 0.05f));

    ModelSubObject floor;
    floor.name = "floor";
    const Vec3 corners[4] = {
        {-kFloorX, 0, -kFloorZ}, {-kFloorX, 0, kFloorZ}, {kFloorX, 0, kFloorZ}, {kFloorX, 0, -kFloorZ}};
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    Quad(floor, corners, Vec3(0, 1, 0), uv);
    OneBatch(floor, 0);
    model.subObjects.push_back(floor);

    ModelSubObject walls;
    walls.name = "stands";
    Box(walls, Vec3(-13, 0, -20), Vec3(13, 4, -19));
    Box(walls, Vec3(-13, 0, 19), Vec3(13, 4, 20));
    Box(walls, Vec3(-13, 0, -19), Vec3(-12, 4, 19));
    Box(walls, Vec3(12, 0, -19), Vec3(13, 4, 19));
    OneBatch(walls, 1);
    model.subObjects.push_back(walls);

    for (float side : {1.0f, -1.0f}) {
        ModelSubObject basket;
        basket.name = side > 0 ? "basket_pos_z" : "basket_neg_z";
        Basket(basket, side, shape);
        const uint32_t boardIndices = static_cast<uint32_t>(basket.indices.size());
        Rim(basket, side, shape);
        basket.batches.push_back({2, 0, boardIndices});
        basket.batches.push_back(
            {3, boardIndices, static_cast<uint32_t>(basket.indices.size()) - boardIndices});
        model.subObjects.push_back(basket);
    }
    model.ComputeBounds();
    return model;
}

ModelData BuildBall() {
    ModelData model;
    model.materials.push_back(Material("Standard", "ball.tga", "", 1, 1, 1));
    ModelSubObject sub;
    sub.name = "ball";
    const float r = 0.125f;
    const int rings = 12, segments = 16;
    auto at = [r](int ring, int seg) {
        const float theta = kPi * ring / rings, phi = 2 * kPi * seg / segments;
        const Vec3 n(std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi));
        return Vertex(n * r, n, static_cast<float>(seg) / segments, static_cast<float>(ring) / rings);
    };
    for (int ring = 0; ring < rings; ++ring)
        for (int seg = 0; seg < segments; ++seg) {
            const ModelVertex a = at(ring, seg), b = at(ring + 1, seg), c = at(ring + 1, seg + 1),
                              d = at(ring, seg + 1);
            const Vec3 out = (Pos(a) + Pos(b) + Pos(c) + Pos(d)) * 0.25f;
            if (ring > 0)
                Triangle(sub, a, b, d, out);
            if (ring < rings - 1)
                Triangle(sub, b, c, d, out);
        }
    OneBatch(sub, 0);
    model.subObjects.push_back(sub);
    model.ComputeBounds();
    return model;
}

ModelData BuildCube() {
    ModelData model;
    model.materials.push_back(Material("Default", "", "", 0.2f, 0.2f, 0.22f));
    model.materials.push_back(Material("Default", "", "", 1, 1, 1));
    ModelSubObject frame;
    frame.name = "frame";
    Box(frame, Vec3(-1.05f, -0.65f, -1.05f), Vec3(1.05f, 0.65f, 1.05f));
    OneBatch(frame, 0);
    model.subObjects.push_back(frame);
    // Four screens just outside the frame, one per side, each its own sub-object.
    const float d = 1.06f, w = 0.95f, h = 0.55f;
    const Vec3 normals[4] = {{0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        ModelSubObject screen;
        screen.name = CStr::Formatted("kijelzo_%.2d", i + 1);
        const Vec3 n = normals[i];
        const Vec3 right(-n.z, 0, n.x); // along the face, as seen from outside
        const Vec3 c = n * d;
        const Vec3 corners[4] = {c - right * w + Vec3(0, h, 0), c + right * w + Vec3(0, h, 0),
                                 c + right * w - Vec3(0, h, 0), c - right * w - Vec3(0, h, 0)};
        const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        Quad(screen, corners, n, uv);
        OneBatch(screen, 1);
        model.subObjects.push_back(screen);
    }
    model.ComputeBounds();
    return model;
}

Image CourtTexture(const ArenaShape& shape) {
    const int w = 256, h = 512;
    Image img(w, h);
    const uint8_t* f = shape.floor;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Planks along z with a gentle grain.
            const int plank = x / 8;
            const int shade = 10 * (plank % 3) + ((y / 32 + plank) % 2) * 6;
            auto c = [shade](uint8_t v) { return static_cast<uint8_t>(std::max(0, v - shade)); };
            img.Set(x, y, c(f[0]), c(f[1]), c(f[2]));
        }
    const float hx = shape.halfX, hz = shape.halfZ;
    auto line = [&](float x0, float z0, float x1, float z1) {
        img.Rect(TexX(x0, w) - 1, TexY(z0, h) - 1, TexX(x1, w) + 1, TexY(z1, h) + 1, 250, 250, 250);
    };
    line(-hx, -hz, hx, -hz);
    line(-hx, hz, hx, hz);
    line(-hx, -hz, -hx, hz);
    line(hx, -hz, hx, hz);
    line(-hx, 0, hx, 0);
    for (float side : {1.0f, -1.0f}) {
        const float base = hz * side, top = (hz - 5.8f) * side;
        line(-2.45f, std::min(base, top), -2.45f, std::max(base, top));
        line(2.45f, std::min(base, top), 2.45f, std::max(base, top));
        line(-2.45f, top, 2.45f, top);
        // Key painted a darker red.
        img.Rect(TexX(-2.4f, w), TexY(std::min(base, top), h) + 2, TexX(2.4f, w),
                 TexY(std::max(base, top), h) - 1, 150, 50, 40);
    }
    // The three-point arc the match counts by: 7.95 m around a point just behind each end line,
    // cut off by the side lines (2.6 m up from the end line in the corners).
    const float arcRadius = 7.95f, arcCentreZ = 14.01f;
    for (int step = 0; step <= 600; ++step) {
        const float x = -hx + 2 * hx * step / 600;
        const float up = std::sqrt(std::max(0.0f, arcRadius * arcRadius - x * x));
        for (float side : {1.0f, -1.0f}) {
            const float z = side * (arcCentreZ - up);
            img.Rect(TexX(x, w) - 1, TexY(z, h) - 1, TexX(x, w) + 1, TexY(z, h) + 1, 250, 250, 250);
        }
    }
    for (int a = 0; a < 360; ++a) {
        const float x = 1.8f * std::cos(a * kPi / 180), z = 1.8f * std::sin(a * kPi / 180);
        img.Rect(TexX(x, w) - 1, TexY(z, h) - 1, TexX(x, w) + 1, TexY(z, h) + 1, 250, 250, 250);
    }
    return img;
}

Image CourtLightmap() {
    const int n = 128;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            // Brightest under the lights at the centre, falling off toward the stands.
            const float u = (x + 0.5f) / n * 2 - 1, v = (y + 0.5f) / n * 2 - 1;
            const float d = std::sqrt(u * u * 0.8f + v * v);
            const uint8_t l = static_cast<uint8_t>(255 * std::max(0.45f, 1.0f - 0.45f * d * d));
            img.Set(x, y, l, l, l);
        }
    return img;
}

Image WallTexture(const ArenaShape& shape) {
    Image img(64, 64);
    const uint8_t* c = shape.seats;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool seat = (x % 8) < 6 && (y % 8) < 5;
            img.Set(x, y, seat ? c[0] : 70, seat ? c[1] : 70, seat ? c[2] : 80);
        }
    return img;
}

Image BallTexture() {
    Image img(64, 32);
    img.Fill(230, 110, 30);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; x += 16)
            img.Set(x, y, 20, 20, 20);
    img.Rect(0, 15, 64, 17, 20, 20, 20);
    return img;
}

Image SkinTexture(uint8_t r, uint8_t g, uint8_t b, int stripes) {
    Image img(32, 32);
    img.Fill(r, g, b);
    for (int s = 0; s < stripes; ++s)
        img.Rect(0, 4 + s * 8, 32, 6 + s * 8, static_cast<uint8_t>(r / 2), static_cast<uint8_t>(g / 2),
                 static_cast<uint8_t>(b / 2));
    return img;
}

ModelData BuildLogos() {
    ModelData model;
    model.materials.push_back(Material("Default", "logos.tga", "", 1, 1, 1));
    ModelSubObject boards;
    boards.name = "logos";
    // One low board along each side line, facing the court.
    for (float side : {1.0f, -1.0f}) {
        const float x = side * 8.6f;
        const Vec3 corners[4] = {{x, 0.9f, -10.0f * side},
                                 {x, 0.9f, 10.0f * side},
                                 {x, 0.0f, 10.0f * side},
                                 {x, 0.0f, -10.0f * side}};
        const float uv[4][2] = {{0, 0}, {4, 0}, {4, 1}, {0, 1}};
        Quad(boards, corners, Vec3(-side, 0, 0), uv);
    }
    OneBatch(boards, 0);
    model.subObjects.push_back(boards);
    model.ComputeBounds();
    return model;
}

Image LogoBoardTexture() {
    Image img(64, 16);
    img.Fill(20, 40, 120);
    img.Rect(4, 4, 60, 12, 240, 200, 40);
    return img;
}

Image KitTexture(int number) {
    // Twelve clearly different shirt colours; the band colour moves on every twelve kits.
    static const uint8_t kColours[12][3] = {{200, 30, 30},  {30, 60, 200},  {240, 240, 240}, {20, 20, 20},
                                            {30, 150, 60},  {250, 200, 30}, {120, 40, 150},  {240, 120, 20},
                                            {40, 180, 200}, {150, 20, 60},  {100, 100, 110}, {20, 40, 90}};
    const int i = ((number % 12) + 12) % 12;
    const int band = ((number / 12) % 12 + 12 + 3) % 12;
    Image img(32, 32);
    img.Fill(kColours[i][0], kColours[i][1], kColours[i][2]);
    img.Rect(0, 12, 32, 18, kColours[band][0], kColours[band][1], kColours[band][2]);
    return img;
}

namespace {

std::string Descriptor(const char* type, const char* name, const char* modelDir, const char* model,
                       const char* textureDir, const char* lightmapDir) {
    std::string text = std::string("<FileDescriptor>\n  <QuorelFile type=\"") + type + "\" name=\"" + name +
                       "\">\n    <ModelDirectory>" + modelDir + "</ModelDirectory>\n    <Modell>" + model +
                       "</Modell>\n    <TexureDirectory>" + textureDir + "</TexureDirectory>\n";
    if (lightmapDir != nullptr)
        text += std::string("    <LMTextureDir>") + lightmapDir + "</LMTextureDir>\n";
    return text + "  </QuorelFile>\n</FileDescriptor>\n";
}

} // namespace

std::vector<std::pair<std::string, std::string>> SceneDescriptors() {
    std::vector<std::pair<std::string, std::string>> files;
    // Every family plays in a hall of its own, built to the family's court and board geometry.
    for (const ArenaShape& family : ArenaShapes())
        for (int level = family.firstLevel; level <= 10; ++level) {
            char name[64];
            std::snprintf(name, sizeof name, "%s%02d", family.prefix, level);
            const std::string dir = family.dir;
            files.emplace_back(std::string("Stadions/ini/") + name + ".xml",
                               Descriptor("World", name, ("Stadions\\models\\" + dir + "\\").c_str(),
                                          "arena.qmd", ("Stadions\\textures\\" + dir).c_str(),
                                          ("Stadions\\lightmaps\\" + dir).c_str()));
        }
    files.emplace_back("objects/kv_ball.xml", Descriptor("Object", "ball", "objects\\models\\", "kv_ball.qmd",
                                                         "objects\\textures", nullptr));
    files.emplace_back("objects/kv_cube.xml", Descriptor("Object", "cube", "objects\\models\\", "kv_cube.qmd",
                                                         "objects\\textures", nullptr));
    files.emplace_back("objects/kv_logos.xml", Descriptor("Object", "logos", "objects\\models\\",
                                                          "kv_logos.qmd", "objects\\textures", nullptr));
    return files;
}
