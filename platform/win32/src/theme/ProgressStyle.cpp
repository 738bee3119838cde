// The Progress class: a light trough with a one-pixel border, accent chunks separated by gaps, and a continuous
// fill whose colour tells the state (normal, error, paused, partial).
#include "theme/ClassStyle.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>

namespace win32::theme {
namespace {

bool Vertical(int part) { return part == PP_BARVERT || part == PP_CHUNKVERT || part == PP_FILLVERT; }

class Progress : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        switch (part) {
        case PP_BAR:
        case PP_BARVERT:
            m.minSize = {4, 4};
            m.content = {1, 1, 1, 1};
            m.border = 1;
            return true;
        case PP_CHUNK:
        case PP_CHUNKVERT:
            m.minSize = Vertical(part) ? SIZE{1, metrics::ProgressChunk} : SIZE{metrics::ProgressChunk, 1};
            m.transparent = true;  // the gaps between chunks
            return true;
        case PP_FILL:
        case PP_FILLVERT:
            m.states = PBFS_PARTIAL;
            m.minSize = {1, 1};
            return true;
        }
        return false;
    }

    PartColors Colors(int part, int state) const override {
        switch (part) {
        case PP_BAR:
        case PP_BARVERT: return {ToneColor(Tone::Track), ToneColor(Tone::Border), NoColor};
        case PP_FILL:
        case PP_FILLVERT:
            switch (state) {
            case PBFS_ERROR: return {ToneColor(Tone::Error), NoColor, NoColor};
            case PBFS_PAUSED: return {ToneColor(Tone::Paused), NoColor, NoColor};
            case PBFS_PARTIAL: return {ToneColor(Tone::AccentHot), NoColor, NoColor};
            }
            break;
        }
        return {ToneColor(Tone::Accent), NoColor, NoColor};
    }

    bool Int(int part, int prop, int& value) const override {
        if (part != PP_CHUNK && part != PP_CHUNKVERT) return false;
        if (prop == TMT_PROGRESSCHUNKSIZE)
            value = metrics::ProgressChunk;
        else if (prop == TMT_PROGRESSSPACESIZE)
            value = metrics::ProgressSpace;
        else
            return false;
        return true;
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        if (part == PP_BAR || part == PP_BARVERT) {
            canvas.Box(rect, 0, colors.border, colors.fill);
            return;
        }
        if (part == PP_FILL || part == PP_FILLVERT) {
            canvas.Fill(rect, colors.fill);
            return;
        }
        // Chunks start at the left, or at the bottom of a vertical bar, and the last one may be cut off.
        const int step = metrics::ProgressChunk + metrics::ProgressSpace;
        if (Vertical(part)) {
            for (int bottom = rect.bottom; bottom > rect.top; bottom -= step) {
                canvas.Fill(
                    RECT{rect.left, std::max<int>(rect.top, bottom - metrics::ProgressChunk), rect.right, bottom},
                    colors.fill);
            }
        } else {
            for (int left = rect.left; left < rect.right; left += step) {
                canvas.Fill(RECT{left, rect.top, std::min<int>(rect.right, left + metrics::ProgressChunk), rect.bottom},
                            colors.fill);
            }
        }
    }
};

}  // namespace

const ClassStyle& ProgressStyle() {
    static const Progress style;
    return style;
}

}  // namespace win32::theme
