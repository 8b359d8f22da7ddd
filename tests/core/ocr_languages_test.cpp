#include "core/ocr/EngineChoice.h"
#include "core/ocr/tesseract/TesseractLanguages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <ostream>

using EngineChoice::Choice;
using EngineChoice::Engine;

// Readable failure messages for the values compared below.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace EngineChoice {
static void PrintTo(const Choice &choice, std::ostream *out)
{
    static const char *const names[] = {"none", "PP-OCR", "Tesseract"};
    *out << names[int(choice.engine)] << " with " << choice.languages.join(u'+').toStdString();
}
} // namespace EngineChoice

TEST(TesseractLanguages, MapsBcp47CodesToDebiansTrainedData)
{
    const std::pair<const char *, const char *> expected[] = {
        {"ja", "jpn"},
        {"ja-JP", "jpn"},
        {"ko", "kor"},
        {"ko-KR", "kor"},
        {"fr", "fra"},
        {"fr-FR", "fra"},
        {"fr-CA", "fra"},
        {"de", "deu"},
        {"de-AT", "deu"},
        {"es", "spa"},
        {"it", "ita"},
        {"pt", "por"},
        {"pt-BR", "por"},
        {"ru", "rus"},
        {"uk", "ukr"},
        {"vi", "vie"},
        {"th", "tha"},
        {"en", "eng"},
        {"en-US", "eng"},
        {"en-GB", "eng"},
        {"ar", "ara"},
        {"he", "heb"},
        {"hi", "hin"},
        {"nb", "nor"},
        {"nn", "nor"},
        {"el", "ell"},
        {"sq", "sqi"},
        {"fa", "fas"},
        {"ms", "msa"},
        {"nl", "nld"},
        {"pl", "pol"},
        {"tr", "tur"},
        {"yi", "yid"},
        // Chinese by script, else by region.
        {"zh-Hans", "chi_sim"},
        {"zh-Hant", "chi_tra"},
        {"zh-Hans-CN", "chi_sim"},
        {"zh-Hant-HK", "chi_tra"},
        {"zh-CN", "chi_sim"},
        {"zh-TW", "chi_tra"},
        {"zh-HK", "chi_tra"},
        {"zh", "chi_sim"},
        // Second scripts.
        {"sr", "srp"},
        {"sr-Latn", "srp_latn"},
        {"sr-Cyrl-RS", "srp"},
        {"az-Cyrl", "aze_cyrl"},
        {"uz-Cyrl", "uzb_cyrl"},
        {"uz", "uzb"},
        // Three-letter codes, retired codes, and what users type.
        {"fil", "fil"},
        {"ceb", "ceb"},
        {"tl", "fil"},
        {"iw", "heb"},
        {"in", "ind"},
        {"JA-jp", "jpn"},
        {"ja_JP", "jpn"},
        {" fr-FR ", "fra"},
        {"jpn", "jpn"},
    };
    for (const auto &[code, data] : expected)
        EXPECT_EQ(TesseractLanguages::dataName(QLatin1String(code)), QLatin1String(data)) << code;

    for (const char *unknown : {"xx-YY", "", "-", "x", "chi_sim", "qaa", "klingon", "osd", "enm"})
        EXPECT_EQ(TesseractLanguages::dataName(QLatin1String(unknown)), QString()) << unknown;
}

TEST(TesseractLanguages, InstalledDataIsWhatTheFolderHolds)
{
    const QSet<QString> installed =
        TesseractLanguages::installed(TesseractLanguages::defaultDataFolder());
    for (const char *name : {"eng", "chi_sim", "jpn", "fra"})
        EXPECT_TRUE(installed.contains(QLatin1String(name)))
            << name << " (apt-get install tesseract-ocr-*)";

    QTemporaryDir folder;
    EXPECT_TRUE(TesseractLanguages::installed(folder.path()).isEmpty());
    EXPECT_TRUE(
        TesseractLanguages::installed(folder.filePath(QStringLiteral("missing"))).isEmpty());

    // Installed data for a list: in the list's order, each once, the rest left out.
    const QSet<QString> some = {"eng", "jpn", "chi_sim"};
    EXPECT_EQ(TesseractLanguages::installedDataFor(
                  {"ko-KR", "ja-JP", "en-US", "ja", "zh-Hans", "xx-YY"}, some),
              QStringList({"jpn", "eng", "chi_sim"}));
    EXPECT_TRUE(TesseractLanguages::installedDataFor({"ko-KR", "de"}, some).isEmpty());
}

TEST(EngineChoice, ChineseAndEnglishGoToPpOcrEverythingElseToTesseract)
{
    const QSet<QString> installed = {"eng", "chi_sim", "chi_tra", "jpn", "fra"};
    const auto choose = [&](const QStringList &codes) {
        return EngineChoice::forLanguages(codes, installed);
    };

    EXPECT_EQ(choose({"zh-Hans", "en-US"}), Choice({Engine::PpOcr, {"zh-Hans", "en-US"}}));
    EXPECT_EQ(choose({"en-GB", "zh-Hant"}), Choice({Engine::PpOcr, {"en-GB", "zh-Hant"}}));
    EXPECT_EQ(choose({"ja-JP"}), Choice({Engine::Tesseract, {"jpn"}}));
    EXPECT_EQ(choose({"zh-Hans", "ja-JP"}), Choice({Engine::Tesseract, {"chi_sim", "jpn"}}));
    // The list's order of preference is Tesseract's language order.
    EXPECT_EQ(choose({"ja-JP", "zh-Hans"}), Choice({Engine::Tesseract, {"jpn", "chi_sim"}}));
    EXPECT_EQ(choose({"fr-FR", "en-US"}), Choice({Engine::Tesseract, {"fra", "eng"}}));
    EXPECT_EQ(choose({"en", "fr", "zh-Hant", "fr-CA"}),
              Choice({Engine::Tesseract, {"eng", "fra", "chi_tra"}}));
    // Nothing can serve these.
    EXPECT_EQ(choose({"xx-YY"}), Choice());
    EXPECT_EQ(choose({}), Choice());
    EXPECT_EQ(choose({"", "  "}), Choice());
}

TEST(EngineChoice, LanguagesWithoutInstalledDataAreLeftOut)
{
    const QSet<QString> installed = {"eng", "chi_sim", "jpn"};
    const auto choose = [&](const QStringList &codes) {
        return EngineChoice::forLanguages(codes, installed);
    };

    EXPECT_EQ(choose({"ko-KR"}), Choice());
    EXPECT_EQ(choose({"ko-KR", "ja-JP", "de-DE"}), Choice({Engine::Tesseract, {"jpn"}}));
    // With Korean unreadable, the list is Chinese and English again: PP-OCR reads those better.
    EXPECT_EQ(choose({"zh-Hans", "ko-KR", "en-US"}), Choice({Engine::PpOcr, {"zh-Hans", "en-US"}}));
    EXPECT_EQ(choose({"zh-Hans", "xx-YY"}), Choice({Engine::PpOcr, {"zh-Hans"}}));
    // PP-OCR needs no Tesseract data; Tesseract reads with what it has.
    EXPECT_EQ(EngineChoice::forLanguages({"zh-Hans"}, {}), Choice({Engine::PpOcr, {"zh-Hans"}}));
    EXPECT_EQ(EngineChoice::forLanguages({"zh-Hans", "ja"}, {"jpn"}),
              Choice({Engine::Tesseract, {"jpn"}}));
}
