#pragma once
// Number fields take what the Japanese input method types: full-width digits, point and signs
// ("２．５", "－３") are read as their half-width forms as soon as they are typed or pasted.

class QLineEdit;

namespace kestrel {

/// Hooks `edit` so that the learner's edits are rewritten with halfWidthNumberText(). The rewrite
/// keeps the cursor where it was and waits while the input method is still composing; it is an
/// edit of its own, so the field's textEdited and textChanged report the half-width text. Texts
/// set by the program (from a file, by an apply) are left alone.
void acceptFullWidthNumbers(QLineEdit* edit);

} // namespace kestrel
