// The parsed profile files of the process, re-read only when a file's identity or modification time changes.
#pragma once

#include "profile/ProfileDocument.h"

#include <win32/windef.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace win32::profile {

class ProfileStore {
public:
    static ProfileStore& Instance();

    // Runs reader on the file's current content; a missing or unreadable file reads as null.
    // Answers the file's error (ERROR_SUCCESS when it was read).
    DWORD Read(const std::string& nativePath, const std::function<void(const ProfileDocument*)>& reader);
    // Applies edit to the current content (an empty document for a missing file) and, when it reports a change,
    // replaces the file through a temporary file in its directory. FALSE with the last error set on failure.
    BOOL Update(const std::string& nativePath, const std::function<bool(ProfileDocument&)>& edit);
    // Forgets every cached file.
    void Flush();

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long mtimeNs = 0;
        bool operator==(const Identity& o) const {
            return device == o.device && inode == o.inode && size == o.size && mtimeNs == o.mtimeNs;
        }
    };
    struct Entry {
        Identity identity;
        ProfileDocument document;
    };

    // What an absent name was found as in its folder, and the folder's identity then.
    struct Name {
        Identity folder;
        std::string name;
    };

    // The cached document of a file that exists and can be read, else null with *error set.
    const ProfileDocument* Load(const std::string& nativePath, DWORD* error);
    // The path itself when it exists, else a name of its folder that differs only in ASCII letter case, if any.
    std::string CaseInsensitive(const std::string& path);

    std::mutex FLock;
    std::map<std::string, Entry> FFiles;
    std::map<std::string, Name> FNames;
};

}  // namespace win32::profile
