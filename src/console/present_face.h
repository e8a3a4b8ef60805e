#pragma once
// The console's face where the system's dialog face is missing.

#include <QFont>

// `font` in the system's dialog face where it is there. Where it is not (Wine has none of
// the Windows fonts) Qt takes the first face it knows, which can be a mathematical one
// that draws no text in edit boxes: a sans-serif face that is there stands in.
QFont with_present_face(const QFont& font);
