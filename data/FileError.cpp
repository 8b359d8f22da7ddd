#include "data/FileError.h"

#include <cerrno>
#include <cstring>

namespace {

QString userTextFor(int code)
{
    switch (code) {
    case ENOSPC:
        return QStringLiteral("磁盘已满");
    case EDQUOT:
        return QStringLiteral("已超出磁盘配额");
    case EROFS:
        return QStringLiteral("文件系统只读");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限");
    case ENOENT:
        return QStringLiteral("文件夹不存在");
    case ENOTDIR:
        return QStringLiteral("路径中有一项不是文件夹");
    case EISDIR:
        return QStringLiteral("是一个文件夹");
    case ELOOP:
        return QStringLiteral("符号链接过多或成环");
    case ENAMETOOLONG:
        return QStringLiteral("路径过长");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件过多");
    default:
        return QStringLiteral("系统错误 %1").arg(code);
    }
}

} // namespace

FileError FileError::fromErrno(int code)
{
    return {userTextFor(code), QString::fromLocal8Bit(std::strerror(code))};
}
