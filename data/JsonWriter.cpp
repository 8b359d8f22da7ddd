#include "data/JsonWriter.h"

#include <charconv>

void JsonWriter::newLine(size_t depth)
{
    m_out.append('\n');
    m_out.append(qsizetype(depth * 2), ' ');
}

void JsonWriter::beginValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_empty.empty())
        return;
    if (!m_empty.back())
        m_out.append(',');
    m_empty.back() = false;
    newLine(m_empty.size());
}

void JsonWriter::begin(char bracket)
{
    beginValue();
    m_out.append(bracket);
    m_empty.push_back(true);
}

void JsonWriter::end(char bracket)
{
    const bool wasEmpty = m_empty.back();
    m_empty.pop_back();
    if (!wasEmpty)
        newLine(m_empty.size());
    m_out.append(bracket);
}

void JsonWriter::beginArray()
{
    begin('[');
}

void JsonWriter::endArray()
{
    end(']');
}

void JsonWriter::beginObject()
{
    begin('{');
}

void JsonWriter::endObject()
{
    end('}');
}

void JsonWriter::key(std::string_view name)
{
    beginValue();
    escaped(name);
    m_out.append(": ");
    m_afterKey = true;
}

void JsonWriter::escaped(std::string_view utf8)
{
    static constexpr char hex[] = "0123456789abcdef";
    m_out.append('"');
    size_t plainFrom = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        m_out.append(utf8.data() + plainFrom, qsizetype(i - plainFrom));
        plainFrom = i + 1;
        switch (c) {
        case '"':
            m_out.append("\\\"");
            break;
        case '\\':
            m_out.append("\\\\");
            break;
        case '\n':
            m_out.append("\\n");
            break;
        case '\r':
            m_out.append("\\r");
            break;
        case '\t':
            m_out.append("\\t");
            break;
        case '\b':
            m_out.append("\\b");
            break;
        case '\f':
            m_out.append("\\f");
            break;
        default:
            m_out.append("\\u00");
            m_out.append(hex[c >> 4]);
            m_out.append(hex[c & 0xf]);
        }
    }
    m_out.append(utf8.data() + plainFrom, qsizetype(utf8.size() - plainFrom));
    m_out.append('"');
}

void JsonWriter::string(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    string(std::string_view(utf8.constData(), size_t(utf8.size())));
}

void JsonWriter::string(std::string_view utf8)
{
    beginValue();
    escaped(utf8);
}

void JsonWriter::boolean(bool value)
{
    beginValue();
    m_out.append(value ? "true" : "false");
}

void JsonWriter::integer(qint64 value)
{
    beginValue();
    m_out.append(QByteArray::number(value));
}

void JsonWriter::number(double value)
{
    beginValue();
    // Fixed notation, as a reader expects a date to look; room for the longest finite double.
    char buffer[400];
    const char *end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
    const std::string_view text(buffer, size_t(end - buffer));
    m_out.append(text.data(), qsizetype(text.size()));
    if (text.find('.') == std::string_view::npos)
        m_out.append(".0");
}
