#pragma once
// The library's MaxLength (internal to the form layer): it limits what the user types, not what the
// program puts into the edit, and counts characters.
class QLineEdit;

// 0 removes the limit.
void LimitTyping(QLineEdit& edit, int maxLength);
