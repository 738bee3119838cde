// The start-up work done on a worker thread.
#include "codepage/Gbk.h"
#include "gdi/text/FaceTable.h"

#include <win32/startup.h>

#include <future>
#include <mutex>
#include <system_error>

namespace win32 {

void PrepareInBackground() {
    // Held until exit, whose destruction of it waits for the worker: the process never ends under its feet.
    static std::future<void> preparing;
    static std::once_flag started;
    std::call_once(started, [] {
        try {
            preparing = std::async(std::launch::async, [] {
                codepage::Gbk::Instance();
                gdi::FaceTable::Prepare();
            });
        } catch (const std::system_error&) {
            // No thread to spare: each piece is made where it is first used.
        }
    });
}

}  // namespace win32
