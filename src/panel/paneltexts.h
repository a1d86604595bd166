#pragma once
// Texts the panel and the pen recorder show that come from the setup document: the control
// type's name, the pen recorder's strip names and the pen colours. The document keeps them in
// Japanese (lessons and projects compare and store them); the windows show them in the
// learner's language.

#include <QString>

#include <string_view>

namespace kestrel {

/// `text` in the learner's language when it is one of the set-up tables' names (marked with the
/// context "Fields"); any other text (a name a lesson set) as it is.
QString panelText(std::string_view text);

} // namespace kestrel
