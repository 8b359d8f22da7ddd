// Runs a fuzz target without libFuzzer on the inputs named on the command line, every file of a
// named folder included, once each: in the normal build this replays the seed corpora and the kept
// crash inputs as a test. A failing input aborts, as it does under libFuzzer.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString named = QFile::decodeName(argv[i]);
        QStringList files{named};
        if (QFileInfo(named).isDir()) {
            files.clear();
            for (const QString &name : QDir(named).entryList(QDir::Files, QDir::Name))
                files.append(named + QLatin1Char('/') + name);
        }
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            // A buffer of the input's exact size, so a sanitizer sees a read past its end.
            const std::vector<uint8_t> input(bytes.begin(), bytes.end());
            LLVMFuzzerTestOneInput(input.data(), input.size());
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
