#include "core/ScoredText.h"

#include "core/TextAlignment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr float fullConfidence = 1.0f;

float lowest(const QList<float> &values, qsizetype begin, qsizetype end)
{
    return *std::min_element(values.cbegin() + begin, values.cbegin() + end);
}

// What a unit put in at `position` takes: the lower of the values on either side of it.
float betweenNeighbours(const QList<float> &values, qsizetype position)
{
    float value = fullConfidence;
    if (position > 0)
        value = std::min(value, values[position - 1]);
    if (position < values.size())
        value = std::min(value, values[position]);
    return value;
}

} // namespace

ScoredText::ScoredText(QString text)
    : m_text(std::move(text)), m_confidence(m_text.size(), fullConfidence)
{
}

ScoredText::ScoredText(QString text, QList<float> confidence)
    : m_text(std::move(text)), m_confidence(std::move(confidence))
{
    if (m_confidence.size() != m_text.size())
        m_confidence = QList<float>(m_text.size(), fullConfidence);
}

ScoredText ScoredText::sliced(qsizetype position, qsizetype length) const
{
    return ScoredText(m_text.sliced(position, length), m_confidence.sliced(position, length));
}

ScoredText ScoredText::sliced(qsizetype position) const
{
    return sliced(position, size() - position);
}

ScoredText ScoredText::removedFirst(const QRegularExpression &pattern) const
{
    const QRegularExpressionMatch match = pattern.match(m_text);
    if (!match.hasMatch() || match.capturedLength() == 0)
        return *this;
    ScoredText result = *this;
    result.m_text.remove(match.capturedStart(), match.capturedLength());
    result.m_confidence.remove(match.capturedStart(), match.capturedLength());
    return result;
}

ScoredText ScoredText::replacedAll(const QRegularExpression &pattern,
                                   const QString &replacement) const
{
    ScoredText result;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator matches = pattern.globalMatch(m_text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const qsizetype start = match.capturedStart();
        const qsizetype end = match.capturedEnd();
        result.m_text += QStringView(m_text).sliced(copied, start - copied);
        result.m_confidence += m_confidence.sliced(copied, start - copied);
        const float value =
            end > start ? lowest(m_confidence, start, end) : betweenNeighbours(m_confidence, start);
        result.m_text += replacement;
        result.m_confidence += QList<float>(replacement.size(), value);
        copied = end;
    }
    result.m_text += QStringView(m_text).sliced(copied);
    result.m_confidence += m_confidence.sliced(copied);
    return result;
}

QList<ScoredText> ScoredText::split(const QString &separator) const
{
    QList<ScoredText> pieces;
    qsizetype begin = 0;
    for (qsizetype at = m_text.indexOf(separator); at >= 0 && !separator.isEmpty();
         at = m_text.indexOf(separator, begin)) {
        pieces.append(sliced(begin, at - begin));
        begin = at + separator.size();
    }
    pieces.append(sliced(begin));
    return pieces;
}

ScoredText ScoredText::carriedTo(const QString &edited) const
{
    if (edited == m_text)
        return *this;
    // Units put in are NaN until the loop below.
    constexpr float inserted = std::numeric_limits<float>::quiet_NaN();
    QList<float> values(edited.size(), inserted);
    const std::vector<qsizetype> paired = TextAlignment::pairedUnits(m_text, edited);
    for (size_t i = 0; i < paired.size(); ++i) {
        if (paired[i] >= 0)
            values[paired[i]] = m_confidence[qsizetype(i)];
    }

    // Units put in take the lower of the nearest paired values on either side.
    for (qsizetype k = 0; k < values.size(); ++k) {
        if (!std::isnan(values[k]))
            continue;
        float value = fullConfidence;
        for (qsizetype left = k - 1; left >= 0; --left) {
            if (!std::isnan(values[left])) {
                value = std::min(value, values[left]);
                break;
            }
        }
        for (qsizetype right = k + 1; right < values.size(); ++right) {
            if (!std::isnan(values[right])) {
                value = std::min(value, values[right]);
                break;
            }
        }
        values[k] = value;
    }
    return ScoredText(edited, std::move(values));
}

QList<TextSpan> doubtfulSpans(const QList<float> &confidence)
{
    QList<TextSpan> spans;
    for (qsizetype i = 0; i < confidence.size(); ++i) {
        if (confidence[i] >= doubtfulConfidence)
            continue;
        if (!spans.isEmpty() && spans.last().start + spans.last().length == i)
            ++spans.last().length;
        else
            spans.append({i, 1});
    }
    return spans;
}
