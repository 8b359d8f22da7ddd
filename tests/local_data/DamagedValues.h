#pragma once

#include <QByteArray>
#include <utility>
#include <vector>

// Values no JSON reader takes, each put where one entry of a store file holds a value: each must
// cost that entry alone, never the entries around it.
inline std::vector<std::pair<const char *, QByteArray>> damagedValues()
{
    return {
        {"a number no double holds", "1e400"},
        {"an invalid UTF-8 byte", "\"作\xff业\""},
        {"a raw tab in a string", "\"作\t业\""},
        {"a lone surrogate escape", "\"\\ud800\""},
        {"nesting a hundred thousand deep", QByteArray(100000, '[') + QByteArray(100000, ']')},
    };
}
