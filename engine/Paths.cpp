// Case-insensitive path resolution and small file helpers over std::filesystem.
#include "engine/Paths.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

CStr GetWorkingDir() {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    if (ec)
        return CStr(".");
    return CStr(cwd.string());
}

static std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

CStr ResolvePath(const char* gamePath) {
    std::string text = gamePath ? gamePath : "";
    bool absolute = !text.empty() && text[0] == '/';
    const std::vector<std::string> parts = SplitComponents(text);
    const std::string base = absolute ? std::string("/") : GetWorkingDir().Std();
    // A path there as written (nearly every one the game reads) needs no search name by name; the
    // walk below gives the same path for it.
    if (std::none_of(parts.begin(), parts.end(),
                     [](const std::string& part) { return part == "." || part == ".."; })) {
        std::string exact = base;
        for (const std::string& part : parts) {
            if (exact.empty() || exact.back() != '/')
                exact.push_back('/');
            exact += part;
        }
        std::error_code ec;
        if (fs::exists(exact, ec))
            return CStr(exact);
    }
    fs::path result = fs::path(base);
    bool parentExists = true;
    for (const std::string& part : parts) {
        if (part == ".")
            continue;
        if (part == "..") {
            result = result.parent_path();
            continue;
        }
        fs::path exact = result / part;
        std::error_code ec;
        if (!parentExists || fs::exists(exact, ec)) {
            result = exact;
            continue;
        }
        // Not there as written: look for the same name in another letter case.
        fs::path found;
        for (fs::directory_iterator it(result, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (EqualsNoCase(name.c_str(), part.c_str())) {
                found = it->path();
                break;
            }
        }
        if (found.empty()) {
            result = exact;
            parentExists = false;
        } else {
            result = found;
        }
    }
    return CStr(result.string());
}

bool FileExists(const char* gamePath) {
    std::error_code ec;
    return fs::is_regular_file(ResolvePath(gamePath).Std(), ec);
}

bool DirectoryExists(const char* gamePath) {
    std::error_code ec;
    return fs::is_directory(ResolvePath(gamePath).Std(), ec);
}

bool ReadWholeFile(const char* gamePath, std::string& data) {
    data.clear();
    const std::string path = ResolvePath(gamePath).Std();
    // A folder opens as a stream on Linux and then fails its first read; a damaged save's manifest
    // can name one.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // istream::read turns a failed read into badbit; iterating the buffer would let it throw.
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        data.append(chunk, static_cast<size_t>(in.gcount()));
    if (in.bad()) {
        data.clear();
        return false;
    }
    return true;
}

bool WriteFileAtomic(const char* gamePath, const std::string& data) {
    return WriteFileAtomic(gamePath, data, nullptr);
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool WriteFileAtomic(const char* gamePath, const std::string& data, int* error) {
    return WriteResolvedFileAtomic(ResolvePath(gamePath).Std(), data, error);
}

bool WriteResolvedFileAtomic(const std::string& path, const std::string& data, int* error) {
    IgnoreFileSizeSignal();
    std::string temp = path + ".tmp";
    int failure = 0;
    // The first failing call's errno is the one worth reporting; later ones follow from it.
    auto check = [&failure](bool ok) {
        if (!ok && failure == 0)
            failure = errno != 0 ? errno : EIO;
        return ok;
    };
    errno = 0;
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!check(file != nullptr)) {
        if (error)
            *error = failure;
        return false;
    }
    bool ok = check(std::fwrite(data.data(), 1, data.size(), file) == data.size());
    ok = check(std::fflush(file) == 0) && ok;
    ok = check(fsync(fileno(file)) == 0) && ok;
    ok = check(std::fclose(file) == 0) && ok;
    std::error_code ec;
    if (ok) {
        fs::rename(temp, path, ec);
        ok = !ec;
        if (ec && failure == 0)
            failure = ec.value();
    }
    if (!ok)
        fs::remove(temp, ec);
    if (error)
        *error = ok ? 0 : failure;
    return ok;
}

bool SyncDirectory(const char* gamePath) {
    int fd = open(ResolvePath(gamePath).GetText(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    bool ok = fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

bool CreateDirectories(const char* gamePath) {
    std::error_code ec;
    std::string path = ResolvePath(gamePath).Std();
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool RemovePath(const char* gamePath) {
    std::error_code ec;
    return fs::remove_all(ResolvePath(gamePath).Std(), ec) > 0 && !ec;
}

std::vector<CStr> ListDirectory(const char* gamePath, bool wantDirectories) {
    std::vector<CStr> names;
    std::error_code ec;
    for (fs::directory_iterator it(ResolvePath(gamePath).Std(), ec), end; !ec && it != end;
         it.increment(ec)) {
        bool isDirectory = it->is_directory(ec);
        if (isDirectory == wantDirectories)
            names.emplace_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
