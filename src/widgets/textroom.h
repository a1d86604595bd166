#pragma once
// How much room a line edit has for its text, for boxes that must show their widest value whole.

class QLineEdit;

namespace kestrel {

/// Pixels a line edit has for its text: its contents rectangle less the text margins and the two
/// pixels the edit keeps either side of its text.
int textRoom(const QLineEdit* edit);

} // namespace kestrel
