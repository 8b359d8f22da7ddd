#include "app/cli/OcrAction.h"

#include "core/Parser.h"
#include "core/ocr/OCR.h"

QString runOcrAction(const CliTask &task)
{
    if (!task.path)
        return QStringLiteral("ERROR: 缺少图片路径");

    const QStringList lines = OCR::recognize(*task.path, OCR::defaultLanguages());
    const Parser::Result parsed = Parser::parse(lines);

    QString text = QStringLiteral("== OCR %1 行 ==\n").arg(lines.size());
    text += lines.join(QLatin1Char('\n'));
    text += QStringLiteral("\n\n== 解析 %1 条 ==\n").arg(parsed.items.size());
    text += QStringLiteral("清单名: ") + parsed.title.value_or(QStringLiteral("(未识别到日期)")) +
        QLatin1Char('\n');
    for (const SlateItem &item : parsed.items)
        text += QStringLiteral("  [") + item.subject + QStringLiteral("] ") + item.text +
            QLatin1Char('\n');
    return text;
}
