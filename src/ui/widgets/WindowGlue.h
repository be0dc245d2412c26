#pragma once

#include <QString>

class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// Glue between text boxes and the controls they are paired with, shared by every window.

// Selects the first entry equal to text ignoring letter case; the list then reports the change
// as if the user had picked it. Empty text, or no match, leaves the selection as it is.
void SelectComboItem(QComboBox& list, const QString& text);

// Applies what was typed into text to its scroll bar: the leading number, rounded half to even;
// when it differs from the bar's value it is clamped to the bar's range and written back into
// both. When it equals the bar's value nothing changes, so the typing ("07") stays.
void TextToScrollBar(QLineEdit& text, QAbstractSlider& bar);
// The same for an up-down control.
void TextToUpDown(QLineEdit& text, QSpinBox& upDown);

void SetCheck(QCheckBox& box, bool flag);
// True only when the box is checked; unchecked and grey are false.
bool GetCheck(const QCheckBox& box);
