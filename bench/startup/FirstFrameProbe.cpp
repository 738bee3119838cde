// Preloaded into a program to time its first frame: the first SDL window surface update that returns (the X
// server has the pixels then, as SDL synchronises after putting the image) writes the wall-clock time in
// microseconds and the peak resident set so far (VmHWM, KiB) to the file FIRST_FRAME_FILE names. The program
// itself is not changed; everything it does goes on as before.
#include <SDL.h>

#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

std::atomic<bool> reported{false};

long PeakResidentKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long peak = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0) peak = std::strtol(line + 6, nullptr, 10);
    std::fclose(status);
    return peak;
}

void ReportFirstFrame() {
    if (reported.exchange(true)) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const char* path = std::getenv("FIRST_FRAME_FILE");
    if (!path) return;
    if (std::FILE* out = std::fopen(path, "w")) {
        std::fprintf(out, "%lld %ld\n", static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000,
                     PeakResidentKiB());
        std::fclose(out);
    }
}

template <class Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int SDL_UpdateWindowSurface(SDL_Window* window) {
    static auto next = Next<int (*)(SDL_Window*)>("SDL_UpdateWindowSurface");
    int result = next(window);
    ReportFirstFrame();
    return result;
}

extern "C" int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    static auto next = Next<int (*)(SDL_Window*, const SDL_Rect*, int)>("SDL_UpdateWindowSurfaceRects");
    int result = next(window, rects, count);
    ReportFirstFrame();
    return result;
}
