// Answers for modal loops, given the way a test on Windows gives them: a CBT hook sees the modal window
// activated and posts it a private message; the modal loop hands that message to its message filter, where a
// WH_MSGFILTER hook runs the next answer with the window. A window that was answered is not answered again
// until it has been hidden, so that activation coming back to a modal form after its message box closed leaves
// the remaining answers for the loops still to come.
#include <testing/Testing.h>

#include <deque>
#include <set>

namespace wintest {
namespace {

struct ModalAnswers {
    std::deque<std::function<void(HWND)>> Queue;
    std::set<HWND> Answered;
    UINT Message = 0;
    bool Hooked = false;
};

ModalAnswers& Answers() {
    static ModalAnswers answers;
    return answers;
}

LRESULT OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    ModalAnswers& answers = Answers();
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && !answers.Queue.empty() && !answers.Answered.count(hwnd))
        PostMessageW(hwnd, answers.Message, 0, 0);
    if (code == HCBT_DESTROYWND) answers.Answered.erase(hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT OnSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SHOWWINDOW && !sent->wParam) Answers().Answered.erase(sent->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT OnFilter(int code, WPARAM wParam, LPARAM lParam) {
    ModalAnswers& answers = Answers();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code != MSGF_DIALOGBOX || msg->message != answers.Message) return CallNextHookEx(nullptr, code, wParam, lParam);
    HWND hwnd = msg->hwnd;
    if (IsWindow(hwnd) && hwnd == GetActiveWindow() && !answers.Answered.count(hwnd) && !answers.Queue.empty()) {
        answers.Answered.insert(hwnd);
        std::function<void(HWND)> answer = std::move(answers.Queue.front());
        answers.Queue.pop_front();
        answer(hwnd);
    }
    return TRUE;
}

void Hook() {
    ModalAnswers& answers = Answers();
    if (answers.Hooked) return;
    answers.Hooked = true;
    answers.Message = RegisterWindowMessageA("wintest modal answer");
    DWORD thread = GetCurrentThreadId();
    SetWindowsHookExW(WH_CBT, OnCbt, nullptr, thread);
    SetWindowsHookExW(WH_CALLWNDPROC, OnSent, nullptr, thread);
    SetWindowsHookExW(WH_MSGFILTER, OnFilter, nullptr, thread);
}

}  // namespace

void QueueModalAnswer(std::function<void(HWND)> answer) {
    Hook();
    Answers().Queue.push_back(std::move(answer));
}

size_t PendingModalAnswers() { return Answers().Queue.size(); }

}  // namespace wintest
