// The process's FreeType library and its faces, one per (file, index), never closed: the cache is left to the
// process's end on purpose, so no exit handler or static destructor can close a face another one still uses.
#include "SharedFace.h"

#include FT_SIZES_H

#include <map>
#include <utility>

namespace win32::gdi {

namespace {

std::mutex& LibraryLock() {
    static std::mutex lock;
    return lock;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        FT_Init_FreeType(&made);
        return made;
    }();
    return library;
}

}  // namespace

SharedFace* SharedFace::Open(const std::string& path, int index) {
    if (path.empty()) return nullptr;
    std::lock_guard<std::mutex> guard(LibraryLock());
    if (!Library()) return nullptr;
    // Reachable from this pointer until the process ends, so leak checkers see the faces as kept, not lost.
    static auto* faces = new std::map<std::pair<std::string, int>, SharedFace*>();
    auto [entry, added] = faces->try_emplace({path, index}, nullptr);
    if (added) {
        FT_Face face = nullptr;
        if (FT_New_Face(Library(), path.c_str(), index, &face) == 0) entry->second = new SharedFace(face);
    }
    return entry->second;
}

FaceSize::FaceSize(SharedFace* face) : FFace(face) {
    if (!face) return;
    std::lock_guard<std::mutex> guard(face->Lock());
    if (FT_New_Size(face->Face(), &FSize) != 0) {
        FSize = nullptr;
        FFace = nullptr;
    }
}

FaceSize::~FaceSize() {
    if (!FSize) return;
    std::lock_guard<std::mutex> guard(FFace->Lock());
    FT_Done_Size(FSize);
}

FT_UInt FaceSize::CharIndex(FT_ULong c) const {
    if (!FFace) return 0;
    std::lock_guard<std::mutex> guard(FFace->Lock());
    return FT_Get_Char_Index(FFace->Face(), c);
}

FaceSize::Active::Active(const FaceSize& size) : FGuard(size.FFace->Lock()), FFace(size.FFace->Face()) {
    FT_Activate_Size(size.FSize);
}

}  // namespace win32::gdi
