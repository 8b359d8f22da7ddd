#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file's whole content through a temporary file renamed into place, so a crash or a
// full disk leaves either the old file or the new one, never half of one. False when nothing
// changed; then `error`, when given, says why in the system's words.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
