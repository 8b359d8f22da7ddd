#pragma once

#include "core/ScoredText.h"
#include "core/TextAlignment.h"

#include <QString>

#include <cstdio>
#include <vector>

// How well the places marked for checking point at mistakes: a place is a run of marked
// characters (doubtfulSpans), a mistake a run of characters read wrong or a spot where
// characters of the truth are missing. Precision: marked places that hold or touch a mistake;
// recall: mistakes that a marked place holds or touches.
struct MarkPlaces {
    qint64 marked = 0;
    qint64 markedRight = 0;
    qint64 mistakes = 0;
    qint64 mistakesMarked = 0;

    // With show, prints every marked place that touches no mistake.
    void add(const ScoredText &line, const QString &truth, bool show)
    {
        const QString &text = line.text();
        const qsizetype size = text.size();
        const std::vector<qsizetype> paired = TextAlignment::pairedUnits(text, truth);
        // wrongUnit[k]: unit k is no right reading; missingBefore[k]: truth is lost before it.
        std::vector<bool> wrongUnit(size_t(size), false);
        std::vector<bool> missingBefore(size_t(size) + 1, false);
        qsizetype previous = -1;
        for (qsizetype k = 0; k < size; ++k) {
            const qsizetype at = paired[size_t(k)];
            wrongUnit[size_t(k)] = at < 0 || text[k] != truth[at];
            if (at >= 0) {
                missingBefore[size_t(k)] = at > previous + 1;
                previous = at;
            }
        }
        missingBefore[size_t(size)] = truth.size() > previous + 1;

        std::vector<bool> markedUnit(size_t(size), false);
        for (const TextSpan &span : doubtfulSpans(line.confidence())) {
            bool touches = false;
            for (qsizetype k = span.start; k < span.start + span.length; ++k) {
                markedUnit[size_t(k)] = true;
                touches = touches || wrongUnit[size_t(k)] || missingBefore[size_t(k)];
            }
            touches = touches || missingBefore[size_t(span.start + span.length)];
            if (show && !touches)
                std::printf("    marked but right '%s' (%.2f) in %s\n",
                            qPrintable(text.mid(span.start, span.length)),
                            double(line.confidence()[span.start]), qPrintable(text));
            ++marked;
            markedRight += touches ? 1 : 0;
        }
        // Mistakes: runs of wrong units with the losses beside them, and losses alone.
        bool open = false;
        bool seen = false;
        auto close = [&] {
            mistakes += open ? 1 : 0;
            mistakesMarked += open && seen ? 1 : 0;
            open = seen = false;
        };
        for (qsizetype k = 0; k <= size; ++k) {
            if (missingBefore[size_t(k)]) {
                open = true;
                seen = seen || (k > 0 && markedUnit[size_t(k - 1)]) ||
                    (k < size && markedUnit[size_t(k)]);
            }
            if (k == size)
                break;
            if (wrongUnit[size_t(k)]) {
                open = true;
                seen = seen || markedUnit[size_t(k)];
            } else {
                close();
            }
        }
        close();
    }

    double precision() const { return marked ? double(markedRight) / double(marked) : 1.0; }
    double recall() const { return mistakes ? double(mistakesMarked) / double(mistakes) : 1.0; }
};
