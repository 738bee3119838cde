// TModalResult and its values: what a modal form or a message dialog answers, numbered as the IDOK ... family.
#pragma once

using TModalResult = int;

constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;      // IDOK
constexpr TModalResult mrCancel = 2;  // IDCANCEL
constexpr TModalResult mrAbort = 3;   // IDABORT
constexpr TModalResult mrRetry = 4;   // IDRETRY
constexpr TModalResult mrIgnore = 5;  // IDIGNORE
constexpr TModalResult mrYes = 6;     // IDYES
constexpr TModalResult mrNo = 7;      // IDNO
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;
