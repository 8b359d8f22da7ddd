#include "data/JsonSpans.h"

#include <algorithm>

namespace JsonSpans {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qsizetype skipBlanks(QByteArrayView text, qsizetype from)
{
    while (from < text.size() && isBlank(text[from]))
        ++from;
    return from;
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = skipBlanks(text, 0);
    qsizetype end = text.size();
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// Just past the string that opens at `quote`, or the end of the text when it is never closed.
qsizetype pastString(QByteArrayView text, qsizetype quote)
{
    for (qsizetype i = quote + 1; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '"')
            return i + 1;
    }
    return text.size();
}

} // namespace

std::optional<Split> split(QByteArrayView text, char open)
{
    qsizetype i = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    i = skipBlanks(text, i);
    if (i == text.size() || text[i] != open)
        return std::nullopt;
    const char close = open == '[' ? ']' : '}';

    Split result;
    qsizetype start = ++i;
    int depth = 0;
    int deepest = 0;
    const auto finish = [&](qsizetype end) {
        result.elements.push_back({trimmed(text.sliced(start, end - start)), deepest});
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            i = pastString(text, i);
            continue;
        }
        if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        } else if (c == ']' || c == '}') {
            // "[]" holds nothing; "[1,]" holds an empty element, which then does not read.
            if (!result.elements.empty() || !trimmed(text.sliced(start, i - start)).isEmpty())
                finish(i);
            result.intact = c == close && skipBlanks(text, i + 1) == text.size();
            return result;
        } else if (c == ',' && depth == 0) {
            finish(i);
            start = i + 1;
            deepest = 0;
        }
        ++i;
    }
    if (!trimmed(text.sliced(start)).isEmpty())
        finish(text.size());
    result.intact = false;
    return result;
}

std::optional<std::pair<QByteArrayView, Element>> keyAndValue(const Element &member)
{
    const QByteArrayView text = member.text;
    if (!text.startsWith('"'))
        return std::nullopt;
    const qsizetype keyEnd = pastString(text, 0);
    const qsizetype colon = skipBlanks(text, keyEnd);
    if (colon == text.size() || text[colon] != ':')
        return std::nullopt;
    return std::pair{text.first(keyEnd), Element{trimmed(text.sliced(colon + 1)), member.depth}};
}

} // namespace JsonSpans
