// TApplication: the program's message loop, its hidden owner window, its title, its main form, and where
// exceptions that escape event handlers are shown.
#pragma once

#include <toolkit/Component.h>

#include <win32/windows.h>

#include <exception>
#include <functional>
#include <string>

class TCustomForm;

class TApplication : public TComponent {
    TOOLKIT_CLASS(TApplication, TComponent)

public:
    using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

    // Makes no window: the application window appears on the first call of Handle().
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize() {}
    // A new T owned by the application in reference; the first form made this way becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        reference = nullptr;
        T* instance = new T(this);
        reference = instance;
        FormCreated(instance);
    }
    // Shows the main form (when ShowMainForm) and handles messages until Terminate or WM_QUIT (Terminated stays
    // true until the next Run); exceptions that
    // escape a message go to HandleException and the loop goes on.
    void Run();
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message, or waits for one when none is waiting (running OnIdle first).
    void HandleMessage();
    // Posts WM_QUIT, so the loop ends once the messages before it are handled.
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // Call from a catch block: the exception in flight goes to OnException, or to ShowException. Raised outside a
    // catch block it does nothing.
    void HandleException(TObject* sender);
    // A box with the exception's text (ExceptionText), the title as caption and the stop icon.
    void ShowException(const std::exception& error);
    // The exception's text as its box shows it: a "." added unless the text ends in punctuation below it.
    static std::string ExceptionText(const std::exception& error);
    // MessageBoxA owned by the active window (the application window when there is none); the active window is
    // given back afterwards.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    // The application window: hidden, owner of every form, receiver of the system's minimize and restore.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Iconifies the application window (hiding the forms it owns) and calls OnMinimize; Restore undoes it and
    // calls OnRestore. Each does nothing when already in that state.
    void Minimize();
    void Restore();

    // The executable's file name without its folder and extension, until set.
    std::string Title() const;
    void SetTitle(const std::string& value);
    std::string ExeName() const;
    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);

    // Nesting depth of modal forms that are showing (the forms' modal loops count it).
    int ModalLevel() const { return FModalLevel; }
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { --FModalLevel; }

    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnHint;
    // done starts true: leaving it true lets HandleMessage wait for the next message.
    std::function<void(TObject* sender, bool& done)> OnIdle;
    TExceptionEvent OnException;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreated(TComponent* instance);
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    void Idle();

    HWND FHandle = nullptr;
    std::string FTitle;
    std::string FHint;
    TCustomForm* FMainForm = nullptr;  // owned as a component, not through this field
    bool FTerminated = false;
    bool FShowMainForm = true;
    int FModalLevel = 0;
};

// The one application object, made before main and never destroyed (its forms are destroyed by whoever ends the
// program: Application->DestroyComponents()).
extern TApplication* Application;
