#include "core/HorizontalSpace.h"

namespace {

bool isHorizontalSpace(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

} // namespace

QString trimHorizontalSpace(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text[begin]))
        ++begin;
    while (end > begin && isHorizontalSpace(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString singleLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineBreak = c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' ||
            c == QChar(0x85) || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (!lineBreak) {
            line.append(c);
        } else if (!(c == u'\n' && i > 0 && text[i - 1] == u'\r')) {
            line.append(u' ');
        }
    }
    return trimHorizontalSpace(line);
}
