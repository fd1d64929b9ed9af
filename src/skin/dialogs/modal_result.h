#pragma once
// The modal result a skinned button hands to the form it sits on. Only a
// dialog that runs modally closes on a non-zero result; the program's own
// windows are non-modal and merely remember the value.

class QWidget;

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

/// GUI thread. Stores `result` as the form's modal result (a QDialog's
/// result(), any other window's "ModalResult" property). Closes nothing.
void SetFormModalResult(QWidget* form, int result);
/// GUI thread. The form's modal result as last stored (0 for none or null).
int FormModalResult(const QWidget* form);
/// GUI thread. Ends a modally running dialog whose stored result is
/// non-zero with that result; anything else (a program window, a dialog
/// shown without modality, a hidden one) is left open.
void CloseFormOnModalResult(QWidget* form);
