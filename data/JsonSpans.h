#pragma once

#include <QByteArrayView>
#include <optional>
#include <utility>
#include <vector>

// Splits a JSON array into the bytes of its elements, or an object into its members, following
// only strings, escapes and brackets, so that each can be handed to the JSON reader on its own:
// one element that does not read (a number no double holds, an invalid UTF-8 byte, a raw tab in
// a string, nesting a hundred thousand deep) then costs only itself.
namespace JsonSpans {

// No entry of the store files nests nearly this deep. A deeper element is damaged and never
// reaches the JSON reader.
constexpr int maxDepth = 64;

struct Element {
    QByteArrayView text; // without the blanks around it
    int depth = 0;       // deepest bracket nesting inside it: 0 for a string or a number
};

struct Split {
    std::vector<Element> elements;
    // False when the text around the elements is damaged: the closing bracket is missing or of
    // the other kind, or something follows it.
    bool intact = true;
};

// The elements of the array (`open` '[') or the members of the object (`open` '{') that `text`
// holds; nothing when the text does not start with `open` (blanks and a UTF-8 byte-order mark
// aside). A text cut off gives the elements before the cut and the cut one.
std::optional<Split> split(QByteArrayView text, char open);

// A member of an object split into its key, still a JSON string with its quotes, and its value;
// nothing when it does not start with a string followed by a colon.
std::optional<std::pair<QByteArrayView, Element>> keyAndValue(const Element &member);

} // namespace JsonSpans
