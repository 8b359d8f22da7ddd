#include "core/ocr/tesseract/TesseractLanguages.h"

#include <QDir>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Two-letter primary subtags (and the retired ones users still type) to Debian's trained data.
// Languages whose BCP 47 code has three letters (ceb, chr, fil, grc, kmr, syr) are found by the
// three-letter rule below.
constexpr std::pair<const char *, const char *> twoLetterCodes[] = {
    {"af", "afr"}, {"am", "amh"}, {"ar", "ara"}, {"as", "asm"}, {"az", "aze"}, {"be", "bel"},
    {"bg", "bul"}, {"bn", "ben"}, {"bo", "bod"}, {"br", "bre"}, {"bs", "bos"}, {"ca", "cat"},
    {"co", "cos"}, {"cs", "ces"}, {"cy", "cym"}, {"da", "dan"}, {"de", "deu"}, {"dv", "div"},
    {"dz", "dzo"}, {"el", "ell"}, {"en", "eng"}, {"eo", "epo"}, {"es", "spa"}, {"et", "est"},
    {"eu", "eus"}, {"fa", "fas"}, {"fi", "fin"}, {"fo", "fao"}, {"fr", "fra"}, {"fy", "fry"},
    {"ga", "gle"}, {"gd", "gla"}, {"gl", "glg"}, {"gu", "guj"}, {"he", "heb"}, {"hi", "hin"},
    {"hr", "hrv"}, {"ht", "hat"}, {"hu", "hun"}, {"hy", "hye"}, {"id", "ind"}, {"in", "ind"},
    {"is", "isl"}, {"it", "ita"}, {"iu", "iku"}, {"iw", "heb"}, {"ja", "jpn"}, {"ji", "yid"},
    {"jv", "jav"}, {"jw", "jav"}, {"ka", "kat"}, {"kk", "kaz"}, {"km", "khm"}, {"kn", "kan"},
    {"ko", "kor"}, {"ku", "kmr"}, {"ky", "kir"}, {"la", "lat"}, {"lb", "ltz"}, {"lo", "lao"},
    {"lt", "lit"}, {"lv", "lav"}, {"mi", "mri"}, {"mk", "mkd"}, {"ml", "mal"}, {"mn", "mon"},
    {"mo", "ron"}, {"mr", "mar"}, {"ms", "msa"}, {"mt", "mlt"}, {"my", "mya"}, {"nb", "nor"},
    {"ne", "nep"}, {"nl", "nld"}, {"nn", "nor"}, {"no", "nor"}, {"oc", "oci"}, {"or", "ori"},
    {"pa", "pan"}, {"pl", "pol"}, {"ps", "pus"}, {"pt", "por"}, {"qu", "que"}, {"ro", "ron"},
    {"ru", "rus"}, {"sa", "san"}, {"sd", "snd"}, {"si", "sin"}, {"sk", "slk"}, {"sl", "slv"},
    {"sq", "sqi"}, {"sr", "srp"}, {"su", "sun"}, {"sv", "swe"}, {"sw", "swa"}, {"ta", "tam"},
    {"te", "tel"}, {"tg", "tgk"}, {"th", "tha"}, {"ti", "tir"}, {"tl", "fil"}, {"to", "ton"},
    {"tr", "tur"}, {"tt", "tat"}, {"ug", "uig"}, {"uk", "ukr"}, {"ur", "urd"}, {"uz", "uzb"},
    {"vi", "vie"}, {"yi", "yid"}, {"yo", "yor"},
};

// Debian's trained data for present-day languages in their usual script. A three-letter primary
// subtag that names one of them is taken as it stands; that also forgives "jpn" for "ja".
constexpr const char *debianDataNames[] = {
    "afr", "amh", "ara", "asm", "aze", "bel", "ben", "bod", "bos", "bre", "bul", "cat",
    "ceb", "ces", "chr", "cos", "cym", "dan", "deu", "div", "dzo", "ell", "eng", "epo",
    "est", "eus", "fao", "fas", "fil", "fin", "fra", "fry", "gla", "gle", "glg", "grc",
    "guj", "hat", "heb", "hin", "hrv", "hun", "hye", "iku", "ind", "isl", "ita", "jav",
    "jpn", "kan", "kat", "kaz", "khm", "kir", "kmr", "kor", "lao", "lat", "lav", "lit",
    "ltz", "mal", "mar", "mkd", "mlt", "mon", "mri", "msa", "mya", "nep", "nld", "nor",
    "oci", "ori", "pan", "pol", "por", "pus", "que", "ron", "rus", "san", "sin", "slk",
    "slv", "snd", "spa", "sqi", "srp", "sun", "swa", "swe", "syr", "tam", "tat", "tel",
    "tgk", "tha", "tir", "ton", "tur", "uig", "ukr", "urd", "uzb", "vie", "yid", "yor",
};

QString lookUp(const QString &primary)
{
    for (const auto &[code, data] : twoLetterCodes) {
        if (primary == QLatin1String(code))
            return QLatin1String(data);
    }
    return {};
}

bool hasSubtag(const QStringList &subtags, const char *wanted)
{
    return subtags.contains(QLatin1String(wanted), Qt::CaseInsensitive);
}

QString chineseData(const QStringList &subtags)
{
    if (hasSubtag(subtags, "hant"))
        return QStringLiteral("chi_tra");
    if (hasSubtag(subtags, "hans"))
        return QStringLiteral("chi_sim");
    // Without a script subtag the region tells which characters are in use.
    if (hasSubtag(subtags, "tw") || hasSubtag(subtags, "hk") || hasSubtag(subtags, "mo"))
        return QStringLiteral("chi_tra");
    return QStringLiteral("chi_sim");
}

} // namespace

namespace TesseractLanguages {

QString defaultDataFolder()
{
    return QStringLiteral("/usr/share/tesseract-ocr/5/tessdata");
}

QString dataName(const QString &code)
{
    QStringList subtags = code.trimmed().toLower().replace(u'_', u'-').split(u'-');
    const QString primary = subtags.takeFirst();
    if (primary == QLatin1String("zh"))
        return chineseData(subtags);

    QString data;
    if (primary.size() == 2) {
        data = lookUp(primary);
    } else if (primary.size() == 3) {
        const auto known =
            std::find_if(std::begin(debianDataNames), std::end(debianDataNames),
                         [&](const char *name) { return primary == QLatin1String(name); });
        if (known != std::end(debianDataNames))
            data = primary;
    }
    if (data.isEmpty())
        return {};

    // Languages written in two scripts have a second file for the less usual one.
    if (hasSubtag(subtags, "latn") && data == QLatin1String("srp"))
        return QStringLiteral("srp_latn");
    if (hasSubtag(subtags, "cyrl") &&
        (data == QLatin1String("aze") || data == QLatin1String("uzb")))
        return data + QStringLiteral("_cyrl");
    return data;
}

QSet<QString> installed(const QString &dataFolder)
{
    QSet<QString> names;
    const QString suffix = QStringLiteral(".traineddata");
    const QStringList files =
        QDir(dataFolder).entryList({QLatin1Char('*') + suffix}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        names.insert(file.chopped(suffix.size()));
    return names;
}

QStringList installedDataFor(const QStringList &codes, const QSet<QString> &installedData)
{
    QStringList names;
    for (const QString &code : codes) {
        const QString name = dataName(code);
        if (!name.isEmpty() && installedData.contains(name) && !names.contains(name))
            names.append(name);
    }
    return names;
}

} // namespace TesseractLanguages
