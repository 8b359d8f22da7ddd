#include "bridges/reminders/vdir/IcalLines.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

QByteArrayView withoutTrailingBlanks(QByteArrayView line)
{
    while (!line.isEmpty() && isBlank(line.back()))
        line.chop(1);
    return line;
}

} // namespace

bool forEachContentLine(const QByteArray &text, const std::function<bool(QByteArrayView)> &line)
{
    const qsizetype nul = text.indexOf('\0');
    const QByteArrayView all(text.constData(), nul < 0 ? text.size() : nul);
    // The line being unfolded; appended to in place, so a line of many folds stays linear.
    QByteArray current;
    bool pending = false;
    const auto deliver = [&] {
        const QByteArrayView content = withoutTrailingBlanks(current);
        return content.isEmpty() || line(content);
    };
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        QByteArrayView physical = all.sliced(start, end - start);
        if (physical.endsWith('\r'))
            physical.chop(1);
        start = end + 1;
        if (pending && !physical.isEmpty() &&
            (physical.front() == ' ' || physical.front() == '\t')) {
            current.append(physical.sliced(1));
            continue;
        }
        if (pending && !deliver())
            return false;
        current = physical.toByteArray();
        pending = true;
    }
    return !pending || deliver();
}
