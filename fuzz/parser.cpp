// The homework parser on arbitrary recognised text: the bytes as UTF-8, one line per line break.
#include "core/Parser.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Parser::parse(text.split(QLatin1Char('\n')));
    return 0;
}
