// Image loading on arbitrary bytes: written to a file, as the loader reads files, then loaded.
#include "core/ocr/image/ImageLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = QDir::tempPath() +
        QStringLiteral("/slatebook-fuzz-image-%1").arg(QCoreApplication::applicationPid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    ImageLoader::load(path);
    return 0;
}
