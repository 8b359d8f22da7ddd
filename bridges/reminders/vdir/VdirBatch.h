#pragma once

#include "bridges/reminders/ReminderStore.h"

#include <QByteArray>
#include <QFileDevice>
#include <QList>
#include <QString>

// Changes to a folder store, staged in memory. A commit first writes every new file under a
// hidden temporary name and moves every removed file aside; only when all of that worked does
// it rename the new files into place and delete the old ones, so a failure leaves the folders as
// they were and other programs never see a half-written file.
class VdirBatch : public ReminderBatch {
public:
    std::optional<ReminderError> save(const ReminderItem &item) override;
    std::optional<ReminderError> remove(const ReminderItem &item) override;
    std::optional<ReminderError> commit() override;

private:
    struct Write {
        QString path;
        QByteArray bytes;
        std::optional<QFileDevice::Permissions> permissions; // those of the file it replaces
    };

    QList<Write> m_writes;
    QStringList m_removals;
};
