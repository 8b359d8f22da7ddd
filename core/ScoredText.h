#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// Text with one confidence (0..1) per UTF-16 unit: how sure recognition was of each character, so
// that the import screen can show what to check. Both units of a surrogate pair carry the same
// value. Text that was not recognised carries full confidence.
//
// The edits the parser makes keep the values with the characters they belong to: a character
// that is kept keeps its value, one that replaces others takes the lowest of theirs, and one put
// in between takes the lower of its neighbours'.
class ScoredText {
public:
    ScoredText() = default;
    // Full confidence throughout.
    explicit ScoredText(QString text);
    // confidence has one value per UTF-16 unit of text; with any other count the text is taken
    // at full confidence rather than marking the wrong characters.
    ScoredText(QString text, QList<float> confidence);

    const QString &text() const { return m_text; }
    const QList<float> &confidence() const { return m_confidence; }
    qsizetype size() const { return m_text.size(); }
    bool isEmpty() const { return m_text.isEmpty(); }

    ScoredText sliced(qsizetype position, qsizetype length) const;
    ScoredText sliced(qsizetype position) const;

    // Removes units from both ends while inSet(unit) holds.
    template <typename InSet>
    ScoredText trimmed(InSet inSet) const
    {
        qsizetype begin = 0;
        qsizetype end = m_text.size();
        while (begin < end && inSet(m_text.at(begin)))
            ++begin;
        while (end > begin && inSet(m_text.at(end - 1)))
            --end;
        return sliced(begin, end - begin);
    }

    // Removes the first match of the pattern.
    ScoredText removedFirst(const QRegularExpression &pattern) const;
    // Every match replaced by the replacement text.
    ScoredText replacedAll(const QRegularExpression &pattern, const QString &replacement) const;
    // The pieces between occurrences of the separator, empty ones included.
    QList<ScoredText> split(const QString &separator) const;

    // The same values carried over to `edited`, a version of this text that rules unaware of
    // confidence have changed (spaces put back, look-alike letters repaired, ends trimmed). The two
    // are aligned by edit distance: kept and one-for-one replaced characters keep their values,
    // inserted ones take the lower of their neighbours'.
    ScoredText carriedTo(const QString &edited) const;

    bool operator==(const ScoredText &other) const = default;

private:
    QString m_text;
    QList<float> m_confidence;
};

// Characters read with less confidence than this are marked for the user to check. Chosen on
// the rendered tuning images (bench/ocr prints the rates for several thresholds).
inline constexpr float doubtfulConfidence = 0.9f;

struct TextSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const TextSpan &other) const = default;
};

// The runs of neighbouring units whose confidence is below doubtfulConfidence: one place to
// check each. No values (text typed or edited by the user) gives none.
QList<TextSpan> doubtfulSpans(const QList<float> &confidence);
