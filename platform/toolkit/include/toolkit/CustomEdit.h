// TCustomEdit: the single-line edit the toolkit paints itself: ANSI (code page 936) text with a byte limit, caret,
// selection, clipboard, one level of undo and the classic sunken look.
#pragma once

#include <toolkit/CustomControl.h>
#include <toolkit/Form.h>

#include <string>
#include <vector>

// The edit's border: bsNone or bsSingle (the sunken client edge).
using TBorderStyle = TFormBorderStyle;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TCustomControl {
    TOOLKIT_CLASS(TCustomEdit, TCustomControl)

public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    // The bytes as they are, valid code page 936 or not. Setting by code is not cut to MaxLength; it empties
    // the undo buffer, clears Modified and puts the caret at the start.
    std::string GetText() const override;
    void SetText(const std::string& value) override;

    // In bytes; 0 is no limit. Typing, pasting and SelText stop at it, never splitting a Chinese character.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // Selects the whole text when the focus arrives by keyboard or by code.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    // Values beyond bsSingle are taken as bsSingle.
    void SetBorderStyle(TBorderStyle value);
    // Converts the text now and what is typed or pasted later.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    // Shows each character as this one (0: the text itself); the text then cannot be copied.
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char value);
    // Set by every change the user makes, cleared when the text is set by code.
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    // Byte offsets, always on character boundaries.
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    // Replaces the selection as typing would (undoable, within MaxLength).
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(std::string()); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // One level, as Windows' edit keeps it: undoing an undo redoes. Nothing while the text cannot be edited.
    void Undo();
    bool CanUndo() const { return FUndo.Valid; }
    void ClearUndo() { FUndo = TUndoRecord{}; }

    void Paint() override;

    // Fires on every change of the text, by code or by the user, and not when the text stays the same.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    virtual void Change();
    // The part of the client area the text lies in; a spin edit keeps its buttons out of it.
    virtual RECT EditRect();
    // Whether the text may be changed by the user now (a spin edit adds EditorEnabled).
    virtual bool CanEditText() const { return !FReadOnly; }

    // Replaces the selection with text (already case-converted and cut to the limit by the caller) as a user
    // edit: undo record, Modified, caret after the insertion, OnChange.
    void ReplaceSelection(const std::string& text, bool typing);

private:
    struct TUndoRecord {
        bool Valid = false;
        std::string Text;
        int Anchor = 0;
        int Caret = 0;
        // Consecutive typed characters are undone together: the caret where the last one ended.
        bool Typing = false;
        int TypingEnd = 0;
    };

    // Text and selection.
    void StoreText(std::string text, bool byUser);
    void SetSelection(int anchor, int caret);
    void MoveCaret(int pos, bool extend);
    std::string Converted(const std::string& text) const;
    // What fits of text in place of the current selection.
    std::string FitToLimit(const std::string& text) const;
    void DeleteRange(int start, int end);
    void TypeCharacter(const std::string& character);
    bool HandleControlChar(unsigned char key);
    bool HandleEditKey(WORD key, TShiftState shift);

    // Messages.
    void HandleChar(unsigned char byte);
    void HandleMouseDown(TMessage& message, bool doubleClick);
    void HandleMouseMove(TMessage& message);
    void HandleSetFocus();
    void HandleKillFocus();

    // Layout and drawing.
    std::string DisplayText() const;
    const std::vector<int>& Positions();
    void InvalidateLayout();
    int LineHeight();
    int TextTop();
    int PositionAt(int x);
    void ScrollToCaret();
    void UpdateCaret();
    void CreateEditCaret();
    void TextChangedVisually();

    std::string FEditText;
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    TEditCharCase FCharCase = ecNormal;
    char FPasswordChar = 0;
    bool FModified = false;
    int FAnchor = 0;
    int FCaret = 0;
    TUndoRecord FUndo;
    unsigned char FPendingLead = 0;  // a typed lead byte waiting for its trail byte
    bool FSelecting = false;         // the left button is down and drags the selection
    bool FHasCaret = false;
    int FScrollX = 0;
    std::vector<int> FPositions;  // x of every byte offset in the text, measured on demand
    int FLineHeight = 0;
};
