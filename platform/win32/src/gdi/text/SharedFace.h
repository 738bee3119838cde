// FreeType faces opened once per font file and kept for the life of the process. Font instances of every size
// share a face, each through a size object of its own; a face is not thread-safe, so every use holds its lock.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>
#include <string>

namespace win32::gdi {

class SharedFace {
public:
    // The face at index in the file, opened on first use; the same object ever after. Null when FreeType
    // cannot open it (that answer is kept too).
    static SharedFace* Open(const std::string& path, int index);

    SharedFace(const SharedFace&) = delete;
    SharedFace& operator=(const SharedFace&) = delete;

    FT_Face Face() const { return FFace; }
    // Held while the face is used: its active size, transform and glyph slot belong to whoever holds it.
    std::mutex& Lock() { return FLock; }

private:
    explicit SharedFace(FT_Face face) : FFace(face) {}

    FT_Face FFace;
    std::mutex FLock;
};

// A size object of one font instance on a shared face: made active before the face is used for that instance.
class FaceSize {
public:
    FaceSize() = default;
    explicit FaceSize(SharedFace* face);
    ~FaceSize();
    FaceSize(const FaceSize&) = delete;
    FaceSize& operator=(const FaceSize&) = delete;

    explicit operator bool() const { return FSize != nullptr; }
    FT_Face Face() const { return FFace ? FFace->Face() : nullptr; }
    // The face's glyph for a character (0 when it has none); the same for every size.
    FT_UInt CharIndex(FT_ULong c) const;
    // Locks the face and makes this size its active one until the guard ends.
    class Active {
    public:
        explicit Active(const FaceSize& size);
        FT_Face Face() const { return FFace; }

    private:
        std::lock_guard<std::mutex> FGuard;
        FT_Face FFace;
    };

private:
    SharedFace* FFace = nullptr;
    FT_Size FSize = nullptr;
};

}  // namespace win32::gdi
