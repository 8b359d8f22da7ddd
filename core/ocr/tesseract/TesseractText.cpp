#include "core/ocr/tesseract/TesseractText.h"

#include <QList>

namespace {

bool isCjk(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x2FDF)                                 // radicals
        || (c >= 0x3005 && c <= 0x3007)                                 // 々 〆 〇
        || (c >= 0x3021 && c <= 0x3029)                                 // Hangzhou numerals
        || (c >= 0x3031 && c <= 0x3035)                                 // kana repeat marks
        || (c >= 0x3038 && c <= 0x303C) || (c >= 0x3040 && c <= 0x30FF) // hiragana, katakana
        || (c >= 0x3100 && c <= 0x312F)                                 // bopomofo
        || (c >= 0x31A0 && c <= 0x31BF) || (c >= 0x31F0 && c <= 0x31FF) // katakana extension
        || (c >= 0x3400 && c <= 0x4DBF)                                 // ideographs, extension A
        || (c >= 0x4E00 && c <= 0x9FFF)                                 // ideographs
        || (c >= 0xF900 && c <= 0xFAFF)                                 // compatibility ideographs
        || (c >= 0xFF66 && c <= 0xFF9F)                                 // half-width katakana
        || (c >= 0x20000 && c <= 0x3134F); // ideographs, extensions B to G
}

bool isFullWidthPunctuation(char32_t c)
{
    return (c >= 0x3000 && c <= 0x303F) // 、。「」『』【】〜 and the like
        || (c >= 0xFE10 && c <= 0xFE19) // vertical forms
        || (c >= 0xFE30 && c <= 0xFE4F) // compatibility forms
        || (c >= 0xFF01 && c <= 0xFF0F) // ！＂＃…／
        || (c >= 0xFF1A && c <= 0xFF20) // ：；＜＝＞？＠
        || (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
}

bool takesNoSpace(char32_t c)
{
    return isCjk(c) || isFullWidthPunctuation(c);
}

bool isFoldedPunctuation(char32_t c)
{
    return c == U':' || c == U';' || c == U',' || c == U'!' || c == U'?';
}

// The ASCII and full-width forms lie 0xFEE0 apart.
constexpr char32_t fullWidthOffset = 0xFEE0;

} // namespace

namespace TesseractText {

QString tidied(const QString &line)
{
    QList<uint> text = line.toUcs4();

    // The nearest character that is not a space on either side of position i, or a space.
    const auto before = [&](qsizetype i) -> char32_t {
        while (--i >= 0 && text[i] == U' ') { }
        return i >= 0 ? text[i] : U' ';
    };
    const auto after = [&](qsizetype i) -> char32_t {
        while (++i < text.size() && text[i] == U' ') { }
        return i < text.size() ? text[i] : U' ';
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isFoldedPunctuation(text[i]) && isCjk(before(i)) && isCjk(after(i)))
            text[i] += fullWidthOffset;
    }

    QString out;
    out.reserve(line.size());
    char32_t kept = U' ';
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == U' ' && takesNoSpace(kept) && takesNoSpace(after(i)))
            continue;
        kept = text[i];
        out += QChar::fromUcs4(kept);
    }
    return out;
}

} // namespace TesseractText
