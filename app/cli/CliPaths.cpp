#include "app/cli/CliPaths.h"

#include <QDir>

namespace CliPaths {

QString toolsFolder()
{
    return QDir::homePath() + QStringLiteral("/.deskmate/tools");
}

QString dropFile()
{
    return toolsFolder() + QStringLiteral("/pending.json");
}

QString resultFile()
{
    return toolsFolder() + QStringLiteral("/cli_result.txt");
}

} // namespace CliPaths
