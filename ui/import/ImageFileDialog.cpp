#include "ui/import/ImageFileDialog.h"

#include "ui/import/ImportTexts.h"

#include <QFileIconProvider>
#include <QImageReader>

namespace {

// Every format the image loader reads: Qt's readers and HEIC/HEIF.
QString imageNameFilter()
{
    QStringList formats;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        formats.append(QString::fromLatin1(format).toLower());
    formats << QStringLiteral("heic") << QStringLiteral("heif");
    formats.removeDuplicates();
    QStringList patterns;
    for (const QString &format : formats)
        patterns << QStringLiteral("*.") + format;
    return ImportTexts::imageFilter(patterns);
}

// Qt's catalogue leaves the type column's "Folder" untranslated.
class TypeNames : public QFileIconProvider {
public:
    QString type(const QFileInfo &info) const override
    {
        return info.isDir() ? ImportTexts::folderType() : QFileIconProvider::type(info);
    }
};

} // namespace

ImageFileDialog::ImageFileDialog(QWidget *parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    // Lives as long as the program: the dialog's model may still use it from its background
    // thread while the dialog is being destroyed.
    static TypeNames typeNames;
    setIconProvider(&typeNames);
    setFileMode(QFileDialog::ExistingFiles);
    setNameFilter(imageNameFilter());
}
